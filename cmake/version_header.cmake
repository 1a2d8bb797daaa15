# The version block's numbers come from project(VERSION): the fixed part
# carries major.minor.patch, the strings show major.minor with two digits
# for the minor number ("1.00").
string(REGEX REPLACE "^([0-9])$" "0\\1" two_digit_minor "${PROJECT_VERSION_MINOR}")
set(KESTRANE_VERSION_TEXT "${PROJECT_VERSION_MAJOR}.${two_digit_minor}")
set(kestrane_generated_dir ${CMAKE_BINARY_DIR}/generated)
configure_file(${PROJECT_SOURCE_DIR}/resources/kestrane_version.h.in ${kestrane_generated_dir}/kestrane_version.h @ONLY)
target_include_directories(kestrane_resources PRIVATE ${kestrane_generated_dir})
