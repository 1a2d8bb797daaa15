# End-to-end tests: the real program under Wine on private virtual displays,
# in a private Wine prefix made fresh for each test run.
set(e2e_python /usr/bin/python3)  # Debian's, which has python3-pefile
set(e2e_dir ${CMAKE_CURRENT_SOURCE_DIR}/e2e)
set(e2e_environment
  KESTRANE_WIN_BUILD=${KESTRANE_WIN_BUILD_DIR}
  KESTRANE_WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix
  PYTHONDONTWRITEBYTECODE=1)

add_test(NAME e2e.wine_prefix
  COMMAND ${e2e_python} -c "import harness; harness.make_prefix()"
  WORKING_DIRECTORY ${e2e_dir})
set_tests_properties(e2e.wine_prefix PROPERTIES
  FIXTURES_SETUP wine_prefix RESOURCE_LOCK wine ENVIRONMENT "${e2e_environment}" TIMEOUT 600)

foreach(module test_startup_countdown test_pause_resume test_always_on_top test_layout
               test_error_path test_placement test_press_and_release test_density_change
               test_button_pictures test_accessibility)
  add_test(NAME e2e.${module}
    COMMAND ${e2e_python} -m unittest -v ${module}
    WORKING_DIRECTORY ${e2e_dir})
  set_tests_properties(e2e.${module} PROPERTIES
    FIXTURES_REQUIRED wine_prefix RESOURCE_LOCK wine ENVIRONMENT "${e2e_environment}" TIMEOUT 900)
endforeach()

add_test(NAME e2e.test_resources
  COMMAND ${e2e_python} test_resources.py ${KESTRANE_WIN_BUILD_DIR}/KESTRANE.exe
  WORKING_DIRECTORY ${e2e_dir})
set_tests_properties(e2e.test_resources PROPERTIES ENVIRONMENT "${e2e_environment}")
