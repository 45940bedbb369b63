# GoogleTest, built from Debian's sources with the cross compiler, and the
# helper that declares a test executable.
#
#   ketra_test(NAME LABEL subsystem SOURCES ... [LINKS ...] [GUI])
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
  cmake_parse_arguments(A "" "LABEL" "SOURCES;LINKS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  target_include_directories(${name} PRIVATE ${KETRA_DEVICE_INCLUDE} ${KETRA_HOST_INCLUDE}
                             ${CMAKE_SOURCE_DIR}/tests/support)
  target_link_options(${name} PRIVATE -municode)
  target_link_libraries(${name} PRIVATE ${KETRA_DEVICE_LIBS} ${A_LINKS} ketra_test_main gtest)
  add_test(NAME ${A_LABEL}.${name} COMMAND ${name})
  set_tests_properties(${A_LABEL}.${name} PROPERTIES
    LABELS ${A_LABEL} FIXTURES_REQUIRED device TIMEOUT 300)
endfunction()
