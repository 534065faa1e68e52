#!/usr/bin/env bash
# Generates the SQLite amalgamation (sqlite3.c, sqlite3.h) that the 32-bit
# Windows build compiles into the core library (cmake/Win32Sqlite.cmake).
# Debian has no MinGW SQLite package, so it is built from Debian's own source
# package: the same SQLite, with Debian's patches, that the Linux build uses.
#
# Usage: scripts/prepare-sqlite.sh [CACHE_DIR]
# CACHE_DIR defaults to $KX_SQLITE_DIR, else /var/cache/kx-sqlite (when run as
# root or when that cache is already filled), else ~/.cache/kx-sqlite; the
# CMake side looks in the same places. Does nothing when the cache is filled.
# Needs dpkg-dev, tcl and a host C compiler (scripts/install-deps.sh --test).
# The source comes through apt-get source from the machine's configured
# package sources (scripts/apt-source.sh).
set -euo pipefail

system_cache=/var/cache/kx-sqlite
if [[ $# -ge 1 ]]; then
  cache_dir=$1
elif [[ -n ${KX_SQLITE_DIR:-} ]]; then
  cache_dir=$KX_SQLITE_DIR
elif [[ $(id -u) -eq 0 || -s $system_cache/sqlite3.c ]]; then
  cache_dir=$system_cache
else
  cache_dir=${XDG_CACHE_HOME:-$HOME/.cache}/kx-sqlite
fi

if [[ -s $cache_dir/sqlite3.c && -s $cache_dir/sqlite3.h ]]; then
  echo "SQLite amalgamation: $cache_dir ($(cat "$cache_dir/SOURCE" 2>/dev/null || echo 'unknown source'))"
  exit 0
fi

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source-path=SCRIPTDIR source=apt-source.sh
source "$here/apt-source.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

echo "Generating the SQLite amalgamation in $cache_dir"
(
  cd "$work"
  kx_apt_source sqlite3
  dsc=$(ls sqlite3_*.dsc)
  # Their output goes to a log, shown only when they fail. (apt-get has
  # checked the files against the signed archive index.)
  dpkg-source --no-check -x "$dsc" src >"$work/build.log" 2>&1 || { cat "$work/build.log" >&2; exit 1; }
  cd src
  if ! { ./configure --quiet && make --quiet sqlite3.c; } >"$work/build.log" 2>&1; then
    cat "$work/build.log" >&2
    exit 1
  fi
  echo "${dsc%.dsc}" >SOURCE
)

mkdir -p "$cache_dir"
# Install so that an interrupted run never leaves half a cache: sqlite3.c,
# which the check above looks for, comes last.
for file in sqlite3.c sqlite3.h SOURCE; do
  cp "$work/src/$file" "$cache_dir/$file.tmp"
done
for file in SOURCE sqlite3.h sqlite3.c; do
  mv "$cache_dir/$file.tmp" "$cache_dir/$file"
done
echo "SQLite amalgamation: $cache_dir ($(cat "$cache_dir/SOURCE"))"
