# SQLite for the 32-bit Windows build of the core library.
#
# Debian ships no MinGW build of SQLite, so the core links a static library
# compiled from the amalgamation (sqlite3.c, sqlite3.h) that
# scripts/prepare-sqlite.sh generates from Debian's sqlite3 source package.

if(DEFINED ENV{KX_SQLITE_DIR})
  set(kx_sqlite_default "$ENV{KX_SQLITE_DIR}")
elseif(EXISTS "/var/cache/kx-sqlite/sqlite3.c")
  set(kx_sqlite_default "/var/cache/kx-sqlite")
elseif(DEFINED ENV{XDG_CACHE_HOME})
  set(kx_sqlite_default "$ENV{XDG_CACHE_HOME}/kx-sqlite")
else()
  set(kx_sqlite_default "$ENV{HOME}/.cache/kx-sqlite")
endif()
set(KX_SQLITE_AMALGAMATION_DIR "${kx_sqlite_default}" CACHE PATH
    "Directory holding the SQLite amalgamation (sqlite3.c, sqlite3.h)")

foreach(file sqlite3.c sqlite3.h)
  if(NOT EXISTS "${KX_SQLITE_AMALGAMATION_DIR}/${file}")
    message(FATAL_ERROR
      "SQLite amalgamation not found: ${KX_SQLITE_AMALGAMATION_DIR}/${file}\n"
      "Run scripts/install-deps.sh (or scripts/prepare-sqlite.sh) to generate it, "
      "or point -DKX_SQLITE_AMALGAMATION_DIR at a directory that holds "
      "sqlite3.c and sqlite3.h.")
  endif()
endforeach()

add_library(kx_sqlite3 STATIC "${KX_SQLITE_AMALGAMATION_DIR}/sqlite3.c")
target_include_directories(kx_sqlite3 SYSTEM PUBLIC "${KX_SQLITE_AMALGAMATION_DIR}")
# The core serves concurrent calls from many JVM threads on one database, and
# checks every value it reads against the rule of the table column it comes
# from (column metadata).
target_compile_definitions(kx_sqlite3 PRIVATE SQLITE_THREADSAFE=1
  PUBLIC SQLITE_ENABLE_COLUMN_METADATA)
# Third-party code: optimised whatever the build type, and not our warnings.
target_compile_options(kx_sqlite3 PRIVATE -O2 -w)
