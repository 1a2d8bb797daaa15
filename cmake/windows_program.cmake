# The shipped program, KESTRANE.exe: the portable core with its Windows
# realisation and resources, one self-contained executable.
enable_language(RC)

set(kestrane_program_sources
  src/win_program/main_win.cpp
  src/win_program/one_countdown_per_folder_win.cpp
  resources/kestrane.rc
)
add_executable(KESTRANE WIN32 ${kestrane_program_sources})

# For the end-to-end tests only, never shipped: the same program with a
# window view that refuses one property set on request, so that the tests
# can watch a run-time error end it.
add_executable(kestrane_failing WIN32 ${kestrane_program_sources})
target_include_directories(kestrane_failing PRIVATE tests/e2e)
target_compile_definitions(kestrane_failing PRIVATE KESTRANE_FAILING_VIEW)

# For the end-to-end tests only, never shipped: the same program with a
# launch that takes about 8 s, as one does while the elevation prompt
# waits for the user. Its own copy of the desktop functions, built with the
# slow launch, stands in for the library's.
add_executable(kestrane_slow_launch WIN32 ${kestrane_program_sources} src/win_services/desktop_win.cpp)
target_compile_definitions(kestrane_slow_launch PRIVATE KESTRANE_SLOW_LAUNCH)

foreach(program KESTRANE kestrane_failing kestrane_slow_launch)
  target_include_directories(${program} PRIVATE resources)
  # shell32, ole32, dwmapi and uxtheme are loaded at run time, from the
  # system folder only; nothing else is imported that the loader would look
  # for beside the program.
  target_link_libraries(${program} PRIVATE kestrane_behaviour kestrane_win_window)
  target_precompile_headers(${program} REUSE_FROM kestrane_win_basics)
  set_target_properties(${program} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
  if(MINGW)
    # No runtime DLLs beside the program: everything is linked in.
    target_link_options(${program} PRIVATE -municode -static -static-libgcc -static-libstdc++ -s -Wl,--gc-sections)
  elseif(MSVC)
    # The resource script carries the manifest.
    target_link_options(${program} PRIVATE /MANIFEST:NO)
  endif()
endforeach()
include(cmake/version_header.cmake)

# A small console program the end-to-end tests use to look at the window
# from outside: control texts, states and rectangles.
add_executable(kestrane_probe tests/e2e/probe_win.cpp)
target_include_directories(kestrane_probe PRIVATE src/helpers src/model src/win_window)
target_compile_definitions(kestrane_probe PRIVATE UNICODE _UNICODE)
target_link_libraries(kestrane_probe PRIVATE user32 gdi32 oleacc ole32 oleaut32)
set_target_properties(kestrane_probe PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

if(MINGW)
  # Platform structures are set up as {sizeof(s)}, the rest zero.
  target_compile_options(kestrane_probe PRIVATE -Wno-missing-field-initializers)
  # No runtime DLLs beside it: everything is linked in.
  target_link_options(kestrane_probe PRIVATE -municode -static -static-libgcc -static-libstdc++)
endif()


# Benchmark helpers (make bench): a plain bare window, the themed and
# painted bare window, the window of the designed controls that is the
# floor KESTRANE is held to, and the timer that starts them and KESTRANE in
# turn. Built only for make bench.
add_executable(bare_window WIN32 EXCLUDE_FROM_ALL bench/bare_window_win.cpp)
add_executable(themed_window WIN32 EXCLUDE_FROM_ALL bench/themed_window_win.cpp bench/themed_window.rc)
target_include_directories(themed_window PRIVATE resources)
target_link_libraries(themed_window PRIVATE comctl32)
# The floor the design itself sets: the same ten controls at their designed
# places, in the same fonts and colours, and nothing else.
add_executable(designed_controls WIN32 EXCLUDE_FROM_ALL bench/designed_controls_win.cpp bench/themed_window.rc)
target_include_directories(designed_controls PRIVATE resources src/model src/helpers)
target_link_libraries(designed_controls PRIVATE comctl32)
add_executable(startup_timer EXCLUDE_FROM_ALL bench/startup_timer_win.cpp)
target_link_libraries(startup_timer PRIVATE psapi)
foreach(helper bare_window themed_window designed_controls startup_timer)
  target_compile_definitions(${helper} PRIVATE UNICODE _UNICODE)
  set_target_properties(${helper} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
  if(MINGW)
    target_compile_options(${helper} PRIVATE -Wno-missing-field-initializers)
    target_link_options(${helper} PRIVATE -municode -static -static-libgcc -static-libstdc++)
  endif()
endforeach()

# For the end-to-end tests only: DLLs named like system DLLs that the
# program loads, which leave a marker when anything loads them. The tests
# put them beside the program, where the program must never take them from.
foreach(planted dwmapi uxtheme)
  add_library(planted_${planted} SHARED tests/e2e/planted_dll_win.cpp)
  set_target_properties(planted_${planted} PROPERTIES OUTPUT_NAME ${planted} PREFIX ""
                        RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/planted)
  target_compile_definitions(planted_${planted} PRIVATE UNICODE _UNICODE)
  if(MINGW)
    target_link_options(planted_${planted} PRIVATE -static -static-libgcc -static-libstdc++)
  endif()
endforeach()
