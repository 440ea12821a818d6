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

# quibra_test(<name> SOURCES_DIR <dir> LIBS <targets>...)
# One test program per folder of tests, run once for all its cases: under Wine
# every process start costs seconds, so a program per case would be too slow.
function(quibra_test name)
  cmake_parse_arguments(ARG "" "DIR" "LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS "${ARG_DIR}/*.cpp")
  add_executable(${name} ${sources})
  # The layers under test first, the backend that implements the platform calls after them.
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} quibra_test_support)
  if(WIN32)
    add_test(NAME ${name} COMMAND "${PROJECT_SOURCE_DIR}/scripts/wine-run.sh" $<TARGET_FILE:${name}>)
  else()
    add_test(NAME ${name} COMMAND ${name})
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT 900)
endfunction()
