# GoogleTest, built from Debian's sources with the cross compiler, and the
# helpers that declare a test executable.
#
#   ketra_test(NAME SOURCES ... [LINKS ...] [INCLUDES ...] [LABEL subsystem])
#       A test of code it links or compiles in.
#   ketra_device_test(NAME SOURCES ... NEEDS target... [LINKS ...] [INCLUDES ...] [LABEL subsystem])
#       A test that drives the device's programs and libraries: NEEDS names
#       the targets it runs or loads there (built, and so installed into
#       the test device, before it runs).
#
# Both link the test kit (tests/support, ketra_testkit.h), which also gives
# the program its main().  The label is the test's folder unless given.
#
# Every test runs in the throw-away test device (tools/devrun is the
# emulator); the device boots once per CTest run through the "device"
# fixture, whose setup and cleanup CTest adds to any selection of tests.

set(GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources (Debian package googletest)")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(${GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# GoogleTest's own sources are not held to our warning level.
target_compile_options(gtest PRIVATE -w)
target_compile_options(gtest_main PRIVATE -w)

set(KETRA_TOOLS ${CMAKE_SOURCE_DIR}/tools)

add_test(NAME device.boot COMMAND ${KETRA_TOOLS}/device test-boot ${CMAKE_BINARY_DIR})
set_tests_properties(device.boot PROPERTIES FIXTURES_SETUP device LABELS "device" TIMEOUT 600 RUN_SERIAL ON)
add_test(NAME device.shutdown COMMAND ${KETRA_TOOLS}/device test-stop ${CMAKE_BINARY_DIR})
set_tests_properties(device.shutdown PROPERTIES FIXTURES_CLEANUP device LABELS "device" TIMEOUT 120 RUN_SERIAL ON)

function(ketra_test name)
  cmake_parse_arguments(A "" "LABEL" "SOURCES;LINKS;INCLUDES;NEEDS" ${ARGN})
  if(NOT A_LABEL)
    get_filename_component(A_LABEL ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  endif()
  add_executable(${name} ${A_SOURCES})
  target_include_directories(${name} PRIVATE ${KETRA_DEVICE_INCLUDE} ${KETRA_HOST_INCLUDE} ${A_INCLUDES})
  target_link_options(${name} PRIVATE -municode)
  target_link_libraries(${name} PRIVATE ${KETRA_DEVICE_LIBS} ${A_LINKS} ketra_testkit)
  if(A_NEEDS)
    add_dependencies(${name} ${A_NEEDS})
  endif()
  add_test(NAME ${A_LABEL}.${name} COMMAND ${name})
  set_tests_properties(${A_LABEL}.${name} PROPERTIES
    LABELS ${A_LABEL} FIXTURES_REQUIRED device TIMEOUT 300)
endfunction()

function(ketra_device_test name)
  cmake_parse_arguments(A "" "" "NEEDS" ${ARGN})
  if(NOT A_NEEDS)
    message(FATAL_ERROR "ketra_device_test(${name}): name the device targets it NEEDS")
  endif()
  ketra_test(${name} ${ARGN})
endfunction()
