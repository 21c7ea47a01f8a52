# SQLite amalgamation (made by tools/setup.sh from Debian's sqlite3 source package) and
# GoogleTest from /usr/src/googletest, built the same way for both trees.
if(NOT EXISTS "${QUILLON_SQLITE_DIR}/sqlite3.c")
  message(FATAL_ERROR "SQLite amalgamation missing in ${QUILLON_SQLITE_DIR}: run tools/setup.sh")
endif()
add_library(sqlite3 STATIC "${QUILLON_SQLITE_DIR}/sqlite3.c")
target_include_directories(sqlite3 SYSTEM PUBLIC "${QUILLON_SQLITE_DIR}")
target_compile_definitions(sqlite3 PRIVATE
  SQLITE_THREADSAFE=1 SQLITE_OMIT_LOAD_EXTENSION SQLITE_DEFAULT_FOREIGN_KEYS=0
  SQLITE_DQS=0 SQLITE_DEFAULT_MEMSTATUS=0)
if(NOT WIN32)
  find_package(Threads REQUIRED)
  target_link_libraries(sqlite3 PUBLIC Threads::Threads ${CMAKE_DL_LIBS})
endif()
# The amalgamation is not ours to instrument for undefined behaviour.
if(QUILLON_SANITIZE)
  target_compile_options(sqlite3 PRIVATE -fno-sanitize=undefined)
endif()

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)
