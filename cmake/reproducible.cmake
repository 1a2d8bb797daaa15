# Two builds of the same source give the same KESTRANE.exe byte for byte,
# whatever folder they are made in and whenever, so that anyone can check a
# release against its checksum by building it again.
if(NOT MINGW)
  return()
endif()

# No folder of the build machine ends up in the program (file names that
# assertions and the like carry are written relative to the tree).
target_compile_options(kestrane_options INTERFACE
  -ffile-prefix-map=${CMAKE_SOURCE_DIR}/=
  -ffile-prefix-map=${CMAKE_BINARY_DIR}/=)

# No link time in the header: the time stamp is left at zero, and with it the
# header checksum no longer changes from one build to the next.
target_link_options(kestrane_options INTERFACE -Wl,--no-insert-timestamp)
