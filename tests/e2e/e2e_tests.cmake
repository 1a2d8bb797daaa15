# End-to-end tests: the real program under Wine on private virtual displays.
# The Wine prefix is made once for each test run; every test process then
# works in a copy of its own on a display of its own, so the modules run
# side by side and share nothing.
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
  FIXTURES_SETUP wine_prefix ENVIRONMENT "${e2e_environment}" TIMEOUT 600)

# A module, or a part of one (module:Class,... and, last, module:~Class,...
# for the rest), each one ctest entry: the longest modules run in parts, so
# that no one entry holds up the run.
foreach(part test_startup_countdown:CountdownToLaunch
             test_startup_countdown:ALaunchThatTakesItsTime,NothingPlantedBesideItRuns
             test_startup_countdown:OneCountdownPerBatchFile
             test_startup_countdown:~CountdownToLaunch,ALaunchThatTakesItsTime,NothingPlantedBesideItRuns,OneCountdownPerBatchFile
             test_accessibility:ScreenReaderAndKeyboard.test_an_uninterrupted_countdown_announces_its_start_and_only_the_last_seconds
             test_accessibility:~ScreenReaderAndKeyboard.test_an_uninterrupted_countdown_announces_its_start_and_only_the_last_seconds
             test_placement:AtAnotherDensity test_placement:~AtAnotherDensity
             test_pause_resume test_always_on_top test_layout test_error_path
             test_press_and_release test_density_change test_button_pictures)
  string(REPLACE ":~" ".all_but_" name "${part}")
  string(REPLACE ":" "." name "${name}")
  string(REPLACE "," "_" name "${name}")
  add_test(NAME e2e.${name}
    COMMAND ${e2e_python} run_tests.py ${part}
    WORKING_DIRECTORY ${e2e_dir})
  set_tests_properties(e2e.${name} PROPERTIES
    FIXTURES_REQUIRED wine_prefix ENVIRONMENT "${e2e_environment}" TIMEOUT 900)
endforeach()

add_test(NAME e2e.test_resources
  COMMAND ${e2e_python} test_resources.py ${KESTRANE_WIN_BUILD_DIR}/KESTRANE.exe
  WORKING_DIRECTORY ${e2e_dir})
set_tests_properties(e2e.test_resources PROPERTIES ENVIRONMENT "${e2e_environment}")
