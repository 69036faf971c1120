# Shared build settings and the two helpers every folder uses:
#   quorvel_library(<name> SOURCES ... [LIBS ...])
#   quorvel_test(<name> SOURCES ... [LIBS ...] [LABELS <label> [<kind>...]]
#                [FLOW|GOLDEN|REPLAY <gtest pattern>...]
#                [SOAK <gtest pattern>...] [ENVIRONMENT <VAR=value>...])
# Includes are always written from the top of the tree:
#   #include "platform/base/CString.h"

set(QUORVEL_WARNINGS -Wall -Wextra -Werror)
# GCC 12's optimiser reports impossible overlaps inside libstdc++'s own
# string concatenation (-Wrestrict) in Release builds; the warning stays on
# for every other compiler.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  list(APPEND QUORVEL_WARNINGS -Wno-restrict)
endif()

if(QUORVEL_SANITIZE)
  set(QUORVEL_SAN_FLAGS -fsanitize=address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=undefined)
  add_compile_options(${QUORVEL_SAN_FLAGS})
  add_link_options(${QUORVEL_SAN_FLAGS})
endif()

# The data-race build (`make tsan`, Clang): ThreadSanitizer cannot share a
# process with AddressSanitizer. Optimised a little, as its run-time
# advises, with the asserts kept.
if(QUORVEL_TSAN)
  if(QUORVEL_SANITIZE)
    message(FATAL_ERROR "QUORVEL_TSAN and QUORVEL_SANITIZE exclude each other")
  endif()
  set(QUORVEL_TSAN_FLAGS -fsanitize=thread -fno-omit-frame-pointer)
  add_compile_options(${QUORVEL_TSAN_FLAGS} -O1)
  add_link_options(${QUORVEL_TSAN_FLAGS})
endif()

# The libFuzzer build (`make fuzz`): every object carries the coverage
# instrumentation libFuzzer steers by; only the fuzz targets link libFuzzer
# itself. Sanitizers come from QUORVEL_SANITIZE as in the test build.
if(QUORVEL_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "QUORVEL_FUZZ needs Clang (libFuzzer)")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

# The real receiver captures and receiver logs the tests, the fuzz seeds and
# the receiver benchmark read; tests/data/README.md says where each set comes
# from and under which licence.
set(QUORVEL_TESTDATA_DIR "${CMAKE_SOURCE_DIR}/tests/data")

function(quorvel_library name)
  cmake_parse_arguments(Q "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${Q_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_compile_options(${name} PRIVATE ${QUORVEL_WARNINGS})
  if(Q_LIBS)
    target_link_libraries(${name} PUBLIC ${Q_LIBS})
  endif()
endfunction()

# Every test entry has one label, so that `ctest -L unit` runs only unit
# tests: unit (one piece in isolation), flow (a path through threads,
# processes, terminals or nested dialogs), golden (output compared with a
# stored reference), replay (real captures replayed against their known
# values), fuzz-smoke, soak. A test program that holds more than one kind
# names the cases of each further kind with gtest patterns (FLOW, GOLDEN,
# REPLAY); each kind becomes its own entry (<name>_flow, ...) and the
# program's own entry runs the rest under the first of LABELS (unit when none
# is given). Further LABELS only say which kinds the program holds; each
# needs its patterns. A case matching two kinds goes to the first of golden,
# replay, flow. SOAK patterns run again as <name>_soak with QUORVEL_SOAK=1 in
# the environment, where those cases take their large sizes; `make test`
# leaves the soak label out. An entry whose patterns match no test fails.
function(quorvel_test name)
  set(kinds GOLDEN REPLAY FLOW)
  cmake_parse_arguments(Q "" "" "SOURCES;LIBS;LABELS;${kinds};SOAK;ENVIRONMENT" ${ARGN})
  add_executable(${name} ${Q_SOURCES})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_options(${name} PRIVATE ${QUORVEL_WARNINGS})
  target_link_libraries(${name} PRIVATE ${Q_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_compile_definitions(${name} PRIVATE
      QUORVEL_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
      QUORVEL_TESTDATA_DIR="${QUORVEL_TESTDATA_DIR}")
  set(label unit)
  if(Q_LABELS)
    list(POP_FRONT Q_LABELS label)
  endif()
  foreach(kind IN LISTS Q_LABELS)
    string(TOUPPER "${kind}" keyword)
    if(NOT keyword IN_LIST kinds OR NOT Q_${keyword})
      message(FATAL_ERROR "${name}: one label per test entry; the program's own entry is "
                          "'${label}', and its ${kind} cases need ${keyword} <gtest patterns> "
                          "to become an entry of their own (flow, golden and replay can)")
    endif()
  endforeach()
  set(taken)
  foreach(keyword IN LISTS kinds)
    if(NOT Q_${keyword})
      continue()
    endif()
    string(TOLOWER "${keyword}" kind)
    list(JOIN Q_${keyword} ":" filter)
    if(taken)
      list(JOIN taken ":" earlier)
      string(APPEND filter "-${earlier}")
    endif()
    _quorvel_test_entry(${name} ${name}_${kind} ${kind} "${filter}" "${Q_ENVIRONMENT}")
    list(APPEND taken ${Q_${keyword}})
  endforeach()
  if(taken)
    list(JOIN taken ":" earlier)
    _quorvel_test_entry(${name} ${name} ${label} "*-${earlier}" "${Q_ENVIRONMENT}")
  else()
    _quorvel_test_entry(${name} ${name} ${label} "" "${Q_ENVIRONMENT}")
  endif()
  if(Q_SOAK)
    list(JOIN Q_SOAK ":" soak)
    set(soak_environment ${Q_ENVIRONMENT} QUORVEL_SOAK=1)
    _quorvel_test_entry(${name} ${name}_soak soak "${soak}" "${soak_environment}")
  endif()
endfunction()

function(_quorvel_test_entry program entry label filter environment)
  if(filter)
    add_test(NAME ${entry} COMMAND ${program} --gtest_filter=${filter})
  else()
    add_test(NAME ${entry} COMMAND ${program})
  endif()
  set_tests_properties(${entry} PROPERTIES LABELS ${label} TIMEOUT 900
                       FAIL_REGULAR_EXPRESSION "Running 0 tests")
  if(environment)
    set_tests_properties(${entry} PROPERTIES ENVIRONMENT "${environment}")
  endif()
endfunction()
