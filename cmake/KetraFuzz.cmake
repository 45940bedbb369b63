# Mutation fuzzing of the system's parsers (tools/fuzz, `./ketra fuzz`).
#
#   ketra_fuzz(NAME LABEL subsystem SOURCES ... [LINKS ...] SEEDS file ...
#              [DEPENDS target ...] [CTEST_COUNT n])
#
# builds fuzz_NAME.exe from the harness (a FuzzParser, tools/fuzz/fuzz_parser.h)
# and the shared driver, writes the seed list beside it, lists NAME for
# `./ketra fuzz` (build/fuzz/parsers.txt) and registers a CTest case that runs
# a small count of inputs (default 2000) under the labels LABEL and "fuzz".
# SEEDS are the parser's own fixtures (absolute paths; DEPENDS names the
# targets that make generated ones).

set(KETRA_FUZZ_DIR ${CMAKE_BINARY_DIR}/fuzz)
file(MAKE_DIRECTORY ${KETRA_FUZZ_DIR})
file(WRITE ${KETRA_FUZZ_DIR}/parsers.txt "")

add_library(ketra_fuzz_driver STATIC
  ${CMAKE_SOURCE_DIR}/tools/fuzz/fuzz_driver.cpp
  ${CMAKE_SOURCE_DIR}/tools/fuzz/fuzz_mutator.cpp
  ${CMAKE_SOURCE_DIR}/tools/fuzz/fuzz_parser.cpp)
target_include_directories(ketra_fuzz_driver PUBLIC ${CMAKE_SOURCE_DIR}/tools/fuzz)

function(ketra_fuzz name)
  cmake_parse_arguments(A "" "LABEL;CTEST_COUNT" "SOURCES;LINKS;SEEDS;DEPENDS" ${ARGN})
  if(NOT A_CTEST_COUNT)
    set(A_CTEST_COUNT 2000)
  endif()
  set(program fuzz_${name})
  ketra_program(${program} CONSOLE SOURCES ${A_SOURCES} LINKS ${A_LINKS} ketra_fuzz_driver)
  if(A_DEPENDS)
    add_dependencies(${program} ${A_DEPENDS})
  endif()

  # The seeds as the device sees the build machine's files (drive Z:).
  set(seeds "")
  foreach(seed ${A_SEEDS})
    string(REPLACE "/" "\\" seed "${seed}")
    string(APPEND seeds "Z:${seed}\n")
  endforeach()
  file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/bin/${program}.seeds CONTENT "${seeds}")
  file(APPEND ${KETRA_FUZZ_DIR}/parsers.txt "${name}\n")

  add_test(NAME ${A_LABEL}.${program} COMMAND ${program} --count ${A_CTEST_COUNT})
  set_tests_properties(${A_LABEL}.${program} PROPERTIES
    LABELS "${A_LABEL};fuzz" FIXTURES_REQUIRED device TIMEOUT 600)
endfunction()
