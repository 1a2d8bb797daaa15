# How every Windows target of the project is built with MinGW-w64.

# The platform headers as every Windows file takes them: the wide
# functions, without the rarely used parts or the min and max macros.
add_library(kestrane_windows_platform INTERFACE)
target_compile_definitions(kestrane_windows_platform INTERFACE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX)
if(MINGW)
  # Platform structures are set up as {sizeof(s)}, the rest zero.
  target_compile_options(kestrane_windows_platform INTERFACE -Wno-missing-field-initializers)
endif()

# No runtime DLL beside a program or DLL of the project: everything is
# linked in.
add_library(kestrane_static_runtime INTERFACE)
if(MINGW)
  target_link_options(kestrane_static_runtime INTERFACE -static -static-libgcc -static-libstdc++)
endif()

# kestrane_windows_program(<name> [CONSOLE] [EXCLUDE_FROM_ALL] [FOLDER <folder>] SOURCES <file>...)
#
# A Windows program of the project: a window program, or a console one
# with CONSOLE, made in the build folder (or in FOLDER under it), that
# needs no DLL beside it, and whose symbols and unused sections are left
# out.
function(kestrane_windows_program name)
  cmake_parse_arguments(PARSE_ARGV 1 program "CONSOLE;EXCLUDE_FROM_ALL" "FOLDER" "SOURCES")
  set(kind WIN32)
  if(program_CONSOLE)
    set(kind "")
  endif()
  set(exclude "")
  if(program_EXCLUDE_FROM_ALL)
    set(exclude EXCLUDE_FROM_ALL)
  endif()
  add_executable(${name} ${kind} ${exclude} ${program_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/${program_FOLDER})
  target_link_libraries(${name} PRIVATE kestrane_options kestrane_windows_platform kestrane_static_runtime)
  add_dependencies(${name} kestrane_includes_by_name)
  if(MINGW)
    target_link_options(${name} PRIVATE -municode -s -Wl,--gc-sections)
  elseif(MSVC)
    # The resource script carries the manifest.
    target_link_options(${name} PRIVATE /MANIFEST:NO)
  endif()
endfunction()
