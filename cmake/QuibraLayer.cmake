# quibra_layer(<target> [DEPS <targets>...])
# One static library per source folder. Sources are the folder's own .cpp
# files (not its subfolders), so adding a file needs no edit here.
function(quibra_layer target)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
  if(sources)
    add_library(${target} STATIC ${sources})
    set(scope PUBLIC)
  else()
    # A layer that is still headers only.
    add_library(${target} INTERFACE)
    set(scope INTERFACE)
  endif()
  target_include_directories(${target} ${scope} "${PROJECT_SOURCE_DIR}/src")
  if(ARG_DEPS)
    target_link_libraries(${target} ${scope} ${ARG_DEPS})
  endif()
endfunction()

# quibra_test_compile(<target> [PCH_FROM <target>])
# How every target of tests/ is compiled. Its own sources at -O0 -g, whatever
# the build type: a test file is mostly GoogleTest's macros and tables, which
# take long to optimise and gain nothing from it, while the libraries under test
# keep the preset's optimisation, so the code tested is the code shipped.
# <gtest/gtest.h> is precompiled once, by the target without PCH_FROM, and
# reused by those that name it: a reuser must be compiled with the same flags,
# which the same -O0 -g and the project's common options give. The test files
# are compiled eight to a unit: what they share (GoogleTest's templates, the
# standard library's, the headers under test) is then compiled once for eight,
# which takes the tests' compile time to about two thirds; so the names a test
# file keeps to itself must differ from those of the other files of its
# program.
function(quibra_test_compile target)
  cmake_parse_arguments(ARG "" "PCH_FROM" "" ${ARGN})
  if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    target_compile_options(${target} PRIVATE -O0 -g)
  endif()
  set_target_properties(${target} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 8)
  if(ARG_PCH_FROM)
    target_precompile_headers(${target} REUSE_FROM ${ARG_PCH_FROM})
  else()
    target_precompile_headers(${target} PRIVATE <gtest/gtest.h>)
    if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
      # A header compiled again with no change is then the same file, so that
      # the compiler cache can hand it out (clang stamps it with the time).
      target_compile_options(${target} PRIVATE -Xclang -fno-pch-timestamp)
    endif()
  endif()
endfunction()

# quibra_test(<name> SOURCES_DIR <dir> LIBS <targets>...)
# One test program per folder of tests, run once for all its cases: under Wine
# every process start costs seconds, so a program per case would be too slow.
function(quibra_test name)
  cmake_parse_arguments(ARG "" "DIR" "LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS "${ARG_DIR}/*.cpp")
  add_executable(${name} ${sources})
  quibra_test_compile(${name} PCH_FROM quibra_test_support)
  # The layers under test first, the backend that implements the platform calls after them.
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} quibra_test_support)
  if(WIN32)
    add_test(NAME ${name} COMMAND "${PROJECT_SOURCE_DIR}/scripts/wine-run.sh" $<TARGET_FILE:${name}>)
  else()
    add_test(NAME ${name} COMMAND ${name})
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT 900)
endfunction()
