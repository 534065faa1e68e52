#!/usr/bin/env bash
# Extracts the Argon2 reference implementation that the 32-bit Windows build
# compiles into the core library (cmake/Win32Argon2.cmake). Debian has no
# MinGW build of libargon2 and its argon2 source package cannot be fetched
# whole, so the sources come from Debian's cryptsetup source package, which
# carries the same reference implementation (lib/crypto_backend/argon2).
#
# Usage: scripts/prepare-argon2.sh [CACHE_DIR]
# CACHE_DIR defaults to $KX_ARGON2_DIR, else /var/cache/kx-argon2 (when run as
# root or when that cache is already filled), else ~/.cache/kx-argon2; the
# CMake side looks in the same places. Does nothing when the cache is filled.
# Needs dpkg-dev; the source comes through apt-get source from the machine's
# configured package sources (scripts/apt-source.sh).
set -euo pipefail

system_cache=/var/cache/kx-argon2
if [[ $# -ge 1 ]]; then
  cache_dir=$1
elif [[ -n ${KX_ARGON2_DIR:-} ]]; then
  cache_dir=$KX_ARGON2_DIR
elif [[ $(id -u) -eq 0 || -s $system_cache/argon2.c ]]; then
  cache_dir=$system_cache
else
  cache_dir=${XDG_CACHE_HOME:-$HOME/.cache}/kx-argon2
fi

if [[ -s $cache_dir/argon2.c && -s $cache_dir/SOURCE ]]; then
  echo "Argon2 sources: $cache_dir ($(cat "$cache_dir/SOURCE"))"
  exit 0
fi

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source-path=SCRIPTDIR source=apt-source.sh
source "$here/apt-source.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(
  cd "$work"
  kx_apt_source cryptsetup
  dsc=$(ls cryptsetup_*.dsc)
  # apt-get has checked the files against the signed archive index.
  dpkg-source --no-check -x "$dsc" src >/dev/null 2>"$work/extract.log" ||
    { cat "$work/extract.log" >&2; exit 1; }
  echo "${dsc%.dsc}" >src/lib/crypto_backend/argon2/SOURCE
)

mkdir -p "$cache_dir"
# Copied whole, then moved in place, so an interrupted run leaves no half
# cache: argon2.c, which the check above looks for, comes last.
cp -r "$work/src/lib/crypto_backend/argon2/." "$cache_dir/"
echo "Argon2 sources: $cache_dir ($(cat "$cache_dir/SOURCE"))"
