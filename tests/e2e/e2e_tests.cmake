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

# A module, or a part of one (module:Class,... or module:Class.test_name,
# and, last, module:~... for all the module's other tests, named
# module.rest), each one ctest entry: the longest modules run in parts, so
# that no one entry holds up the run. The parts with whole countdowns in
# them start first.
set(countdown_parts
  test_startup_countdown:CountdownToLaunch.test_untouched_window_counts_down_launches_the_batch_file_and_saves_its_position
  test_startup_countdown:CountdownToLaunch.test_without_the_batch_file_the_window_still_closes_at_zero
  test_startup_countdown:ALaunchThatTakesItsTime.test_the_window_answers_throughout_and_a_close_ends_it_only_once_the_launch_has_returned
  test_startup_countdown:ALaunchThatTakesItsTime.test_a_log_off_during_the_launch_keeps_the_position_before_the_process_is_ended
  test_startup_countdown:NothingPlantedBesideItRuns
  test_startup_countdown:OneCountdownPerBatchFile
  test_accessibility:ScreenReaderAndKeyboard.test_an_uninterrupted_countdown_announces_its_start_and_only_the_last_seconds
  test_accessibility:ScreenReaderAndKeyboard.test_keyboard_alone_pauses_continues_and_restarts_and_each_is_announced)
set(other_parts
  test_startup_countdown:~CountdownToLaunch,ALaunchThatTakesItsTime,NothingPlantedBesideItRuns,OneCountdownPerBatchFile
  test_accessibility:~ScreenReaderAndKeyboard.test_an_uninterrupted_countdown_announces_its_start_and_only_the_last_seconds,ScreenReaderAndKeyboard.test_keyboard_alone_pauses_continues_and_restarts_and_each_is_announced
  test_placement:AtAnotherDensity test_placement:~AtAnotherDensity
  test_pause_resume test_always_on_top test_layout test_error_path
  test_press_and_release test_density_change test_button_pictures)
foreach(part IN LISTS countdown_parts other_parts)
  if(part MATCHES "^([^:]+):~")
    set(name ${CMAKE_MATCH_1}.rest)
  else()
    string(REPLACE ":" "." name "${part}")
    string(REPLACE "," "_" name "${name}")
  endif()
  if(part IN_LIST countdown_parts)
    set(cost 60)
  else()
    set(cost 30)
  endif()
  add_test(NAME e2e.${name}
    COMMAND ${e2e_python} run_tests.py ${part}
    WORKING_DIRECTORY ${e2e_dir})
  set_tests_properties(e2e.${name} PROPERTIES
    FIXTURES_REQUIRED wine_prefix ENVIRONMENT "${e2e_environment}" TIMEOUT 900 COST ${cost})
endforeach()

add_test(NAME e2e.test_resources
  COMMAND ${e2e_python} test_resources.py ${KESTRANE_WIN_BUILD_DIR}/KESTRANE.exe
  WORKING_DIRECTORY ${e2e_dir})
set_tests_properties(e2e.test_resources PROPERTIES ENVIRONMENT "${e2e_environment}")
