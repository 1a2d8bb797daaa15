# Release checks: the program builds again to the same bytes, and the files
# `make dist` ships (zip, installer, checksums, signatures) are sound.
set(release_dir ${CMAKE_CURRENT_SOURCE_DIR}/release)
set(release_environment
  KESTRANE_SOURCE_DIR=${PROJECT_SOURCE_DIR}
  KESTRANE_WIN_BUILD=${KESTRANE_WIN_BUILD_DIR}
  PYTHONDONTWRITEBYTECODE=1)

# Builds the program a second time, with the build's two cores, beside the
# Wine tests, which mostly wait on the clock.
add_test(NAME release.test_reproducible
  COMMAND /usr/bin/python3 -m unittest -v test_reproducible
  WORKING_DIRECTORY ${release_dir})
set_tests_properties(release.test_reproducible PROPERTIES
  ENVIRONMENT "${release_environment}" TIMEOUT 900 PROCESSORS 2 COST 100)

# The installer under Wine's msiexec, in a copy of the test run's Wine
# prefix of its own.
add_test(NAME release.test_msi
  COMMAND /usr/bin/python3 -m unittest -v test_msi
  WORKING_DIRECTORY ${release_dir})
set_tests_properties(release.test_msi PROPERTIES
  FIXTURES_REQUIRED wine_prefix TIMEOUT 900 COST 100
  ENVIRONMENT "${release_environment};KESTRANE_WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix")

# The release files: names, checksums, the zip's contents and sameness, signing.
add_test(NAME release.test_dist
  COMMAND /usr/bin/python3 -m unittest -v test_dist
  WORKING_DIRECTORY ${release_dir})
set_tests_properties(release.test_dist PROPERTIES ENVIRONMENT "${release_environment}" TIMEOUT 600)
