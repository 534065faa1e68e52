#!/usr/bin/env bash
# Installs everything the build and the tests need on Debian 12 (bookworm),
# then prepares the SQLite amalgamation for the 32-bit Windows build.
# Safe to run again: it installs only what is missing.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

packages=(
  # native build and tests
  cmake make g++ python3
  libgtest-dev googletest
  libsqlite3-dev sqlite3 libargon2-dev
  # CRC-32 of microcode files (zlib), native and 32-bit Windows
  zlib1g-dev libz-mingw-w64-dev
  # e-mail over SMTP, and the loopback SMTP server of the mail tests
  libcurl4-openssl-dev python3-aiosmtpd
  # Java side: the pinned JDK and JUnit 5
  openjdk-17-jdk-headless junit5
  libpicocli-java
  # 32-bit Windows cross build
  gcc-mingw-w64-i686-posix g++-mingw-w64-i686-posix
  mingw-w64-i686-dev binutils-mingw-w64-i686
  # SQLite amalgamation from Debian's source package
  dpkg-dev tcl xz-utils ca-certificates
)

if [[ $(id -u) -eq 0 ]]; then
  as_root=()
else
  as_root=(sudo)
fi
apt_get() {
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get "$@"
}

missing=()
for package in "${packages[@]}"; do
  if [[ $(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null) != installed ]]; then
    missing+=("$package")
  fi
done

# A fresh image has no package lists; update only when installing needs it.
if [[ ${#missing[@]} -gt 0 ]] && ! apt-cache show "${missing[@]}" >/dev/null 2>&1; then
  apt_get update
fi
if [[ ${#missing[@]} -gt 0 ]]; then
  echo "Installing: ${missing[*]}"
  apt_get install -y --no-install-recommends "${missing[@]}"
fi

# --- wine: runs the 32-bit Windows DLLs' test program (scripts/run-win32-tests.sh)
# wine32 is an i386 package, so the i386 architecture is added first (once).
if [[ $(dpkg --print-architecture) != i386 ]] &&
  ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${as_root[@]}" dpkg --add-architecture i386
  apt_get update -qq
fi
wine_missing=()
for package in wine wine32:i386; do
  if [[ $(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null) != installed ]]; then
    wine_missing+=("$package")
  fi
done
if [[ ${#wine_missing[@]} -gt 0 ]]; then
  if ! apt-cache show "${wine_missing[@]}" >/dev/null 2>&1; then
    apt_get update -qq
  fi
  echo "Installing: ${wine_missing[*]}"
  apt_get install -y -qq --no-install-recommends "${wine_missing[@]}" >/dev/null
fi
# --- end wine

bash "$here/prepare-sqlite.sh"
bash "$here/prepare-argon2.sh"
