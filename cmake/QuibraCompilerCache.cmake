# ccache, where it is installed, for every compilation of every preset. Its
# cache is the user's (~/.cache/ccache), so that a fresh clone in another
# folder, a new build folder and the next preset's same files all hit it:
# paths under the source folder are hashed relative to it (base_dir), and the
# debug information names them relative to it too, which is what lets ccache
# leave the build folder's own path out of the hash. The precompiled GoogleTest
# header of the tests needs two allowances: ccache cannot see a __TIME__ or a
# #define behind a precompiled header, and neither matters to ours. Two kinds
# of file still compile anew in another folder: the Qt tests, into which Qt's
# test library writes their folder's path, and, under clang, the test files,
# whose precompiled header names the folder it was made in.
option(QUIBRA_CCACHE "Compile through ccache where it is installed" ON)
if(QUIBRA_CCACHE AND NOT CMAKE_CXX_COMPILER_LAUNCHER)
  find_program(QUIBRA_CCACHE_PROGRAM ccache)
  if(QUIBRA_CCACHE_PROGRAM)
    set(launcher "${CMAKE_COMMAND}" -E env "CCACHE_BASEDIR=${PROJECT_SOURCE_DIR}"
                 "CCACHE_SLOPPINESS=pch_defines,time_macros" "${QUIBRA_CCACHE_PROGRAM}")
    set(CMAKE_CXX_COMPILER_LAUNCHER ${launcher})
    set(CMAKE_C_COMPILER_LAUNCHER ${launcher})
    add_compile_options("-fdebug-prefix-map=${PROJECT_SOURCE_DIR}=.")
    message(STATUS "ccache: ${QUIBRA_CCACHE_PROGRAM}, paths relative to ${PROJECT_SOURCE_DIR}")
  endif()
endif()
