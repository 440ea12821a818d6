# SQLite for the Windows builds: Debian's own sqlite3 source package, made into
# its one-file form by scripts/sqlite-source.sh (once, shared by both Windows
# builds) and compiled here into the program, so that no DLL is needed.
# Defines SQLite::SQLite3, as find_package(SQLite3) does on Linux.
set(QUIBRA_SQLITE_SOURCE "${PROJECT_SOURCE_DIR}/build/third_party/sqlite" CACHE PATH
    "Where sqlite3.c and sqlite3.h from Debian's source package are kept")
execute_process(COMMAND bash "${PROJECT_SOURCE_DIR}/scripts/sqlite-source.sh" "${QUIBRA_SQLITE_SOURCE}"
                RESULT_VARIABLE fetched)
if(NOT fetched EQUAL 0)
  message(FATAL_ERROR "SQLite's source could not be had from Debian (see above). Configure with "
                      "-DQUIBRA_WINDOWS_SQLITE=OFF to build without the keyed file driver.")
endif()
file(READ "${QUIBRA_SQLITE_SOURCE}/VERSION" version)
string(STRIP "${version}" version)
message(STATUS "SQLite: Debian's sqlite3 ${version}, built in")

add_library(sqlite3_static STATIC "${QUIBRA_SQLITE_SOURCE}/sqlite3.c")
target_include_directories(sqlite3_static SYSTEM PUBLIC "${QUIBRA_SQLITE_SOURCE}")
# Debian's options where they change what a program sees, so that records
# behave the same in both builds; no extension loading in a program that
# loads no DLL of its own.
target_compile_definitions(sqlite3_static PRIVATE
  SQLITE_THREADSAFE=1 SQLITE_SECURE_DELETE SQLITE_USE_URI=1 SQLITE_MAX_SCHEMA_RETRY=25
  SQLITE_LIKE_DOESNT_MATCH_BLOBS SQLITE_MAX_VARIABLE_NUMBER=250000 SQLITE_OMIT_LOAD_EXTENSION)
# Its own code, not ours: its warnings are not ours to mend.
target_compile_options(sqlite3_static PRIVATE -O2 -w)
add_library(SQLite::SQLite3 ALIAS sqlite3_static)
