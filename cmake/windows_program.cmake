# The shipped program, KESTRANE.exe: the portable core with its Windows
# realisation and resources, one self-contained executable.
enable_language(RC)

set(kestrane_program_sources
  src/app/main_win.cpp
  src/app/registry_settings_win.cpp
  src/app/message_box_errors_win.cpp
  src/window/main_window_win.cpp
  src/window/placement_win.cpp
  src/window/window_timers_win.cpp
  src/window/button_faces_win.cpp
  src/window/status_bar_win.cpp
  src/window/fonts_win.cpp
  src/window/dpi_win.cpp
  src/window/text_win.cpp
  src/window/annotations_win.cpp
  src/window/accessible_boxes_win.cpp
  src/window/live_region_win.cpp
  src/window/resume_menus_win.cpp
  src/window/high_contrast_win.cpp
  src/desktop/desktop_win.cpp
  src/desktop/com_on_demand_win.cpp
  resources/kestrane.rc
)
add_executable(KESTRANE WIN32 ${kestrane_program_sources})

# For the end-to-end tests only, never shipped: the same program with a
# window view that refuses one property set on request, so that the tests
# can watch a run-time error end it.
add_executable(kestrane_failing WIN32 ${kestrane_program_sources})
target_include_directories(kestrane_failing PRIVATE tests/e2e)
target_compile_definitions(kestrane_failing PRIVATE KESTRANE_FAILING_VIEW)

foreach(program KESTRANE kestrane_failing)
  target_include_directories(${program} PRIVATE resources)
  target_compile_definitions(${program} PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
  # shell32 and ole32 are loaded at run time, only when the program needs them.
  target_link_libraries(${program} PRIVATE kestrane_core comctl32 uxtheme uuid gdi32 user32 advapi32)
  set_target_properties(${program} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
endforeach()
include(cmake/version_header.cmake)

# A small console program the end-to-end tests use to look at the window
# from outside: control texts, states and rectangles.
add_executable(kestrane_probe tests/e2e/probe_win.cpp)
target_include_directories(kestrane_probe PRIVATE src)
target_compile_definitions(kestrane_probe PRIVATE UNICODE _UNICODE)
target_link_libraries(kestrane_probe PRIVATE user32 gdi32 oleacc ole32 oleaut32)
set_target_properties(kestrane_probe PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

if(MINGW)
  # Platform structures are set up as {sizeof(s)}, the rest zero.
  target_compile_options(KESTRANE PRIVATE -Wno-missing-field-initializers)
  target_compile_options(kestrane_failing PRIVATE -Wno-missing-field-initializers)
  target_compile_options(kestrane_probe PRIVATE -Wno-missing-field-initializers)
  # No runtime DLLs beside the program: everything is linked in.
  target_link_options(KESTRANE PRIVATE -municode -static -static-libgcc -static-libstdc++ -s -Wl,--gc-sections)
  target_link_options(kestrane_failing PRIVATE -municode -static -static-libgcc -static-libstdc++ -s -Wl,--gc-sections)
  target_link_options(kestrane_probe PRIVATE -municode -static -static-libgcc -static-libstdc++)
elseif(MSVC)
  # The resource script carries the manifest.
  target_link_options(KESTRANE PRIVATE /MANIFEST:NO)
  target_link_options(kestrane_failing PRIVATE /MANIFEST:NO)
endif()


# Benchmark helpers (make bench): a plain bare window, the themed and
# painted bare window that is the fair yardstick, and the timer that starts
# them and KESTRANE in turn.
add_executable(bare_window WIN32 bench/bare_window_win.cpp)
add_executable(themed_window WIN32 bench/themed_window_win.cpp bench/themed_window.rc)
target_include_directories(themed_window PRIVATE resources)
target_link_libraries(themed_window PRIVATE comctl32)
add_executable(startup_timer bench/startup_timer_win.cpp)
target_link_libraries(startup_timer PRIVATE psapi)
foreach(helper bare_window themed_window startup_timer)
  target_compile_definitions(${helper} PRIVATE UNICODE _UNICODE)
  set_target_properties(${helper} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
  if(MINGW)
    target_compile_options(${helper} PRIVATE -Wno-missing-field-initializers)
    target_link_options(${helper} PRIVATE -municode -static -static-libgcc -static-libstdc++)
  endif()
endforeach()
