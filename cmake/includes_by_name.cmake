# Run by the build (cmake -P) before the sources compile: every header is
# included by name, never by a path, so that a target sees only its own
# folder and the folders of the libraries it links. An include such as
# "../window/x.h" would reach past that. SOURCE_DIRS lists the folders.
foreach(folder IN LISTS SOURCE_DIRS)
  file(GLOB_RECURSE sources ${folder}/*.h ${folder}/*.cpp)
  foreach(source IN LISTS sources)
    file(STRINGS ${source} by_path REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"]*/")
    if(by_path)
      message(FATAL_ERROR "${source} includes a header by path (${by_path}); include it by name")
    endif()
  endforeach()
endforeach()
