# Shared build settings and the two helpers every folder uses:
#   quorvel_library(<name> SOURCES ... [LIBS ...])
#   quorvel_test(<name> SOURCES ... [LIBS ...] [LABELS ...])
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

# The real receiver captures beside the checkout: ../shared/testdata from the
# main tree, ../../shared/testdata from a worktree one folder further down.
set(QUORVEL_TESTDATA_DIR "${CMAKE_SOURCE_DIR}/../shared/testdata" CACHE PATH
    "Folder of the real receiver captures the tests replay")
if(NOT EXISTS ${QUORVEL_TESTDATA_DIR} AND EXISTS ${CMAKE_SOURCE_DIR}/../../shared/testdata)
  set(QUORVEL_TESTDATA_DIR "${CMAKE_SOURCE_DIR}/../../shared/testdata" CACHE PATH
      "Folder of the real receiver captures the tests replay" FORCE)
endif()

function(quorvel_library name)
  cmake_parse_arguments(Q "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${Q_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_compile_options(${name} PRIVATE ${QUORVEL_WARNINGS})
  if(Q_LIBS)
    target_link_libraries(${name} PUBLIC ${Q_LIBS})
  endif()
endfunction()

function(quorvel_test name)
  cmake_parse_arguments(Q "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${Q_SOURCES})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_options(${name} PRIVATE ${QUORVEL_WARNINGS})
  target_link_libraries(${name} PRIVATE ${Q_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_compile_definitions(${name} PRIVATE
      QUORVEL_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
      QUORVEL_TESTDATA_DIR="${QUORVEL_TESTDATA_DIR}")
  if(NOT Q_LABELS)
    set(Q_LABELS unit)
  endif()
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES LABELS "${Q_LABELS}" TIMEOUT 900)
endfunction()
