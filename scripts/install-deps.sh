#!/usr/bin/env bash
# Installs the Debian 12 (bookworm) packages the project needs, in two sets:
#   --demo  what building the libraries and the tool and running them takes
#           (scripts/demo.sh, scripts/bench.sh)
#   --test  that, plus the test toolchain: GoogleTest, JUnit 5, the mail
#           tests' SMTP server, the trap tests' snmptrapd, the 32-bit
#           Windows cross build (MinGW) with the SQLite, Argon2 and libcurl
#           sources it compiles in (scripts/test.sh)
# Without an option: --test. Safe to run again: it installs only what is
# missing. Runs apt-get as root, or through sudo.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

set_name="test"
case ${1:-} in
  --demo) set_name="demo" ;;
  --test | "") set_name="test" ;;
  *)
    echo "usage: $0 [--demo|--test]" >&2
    exit 2
    ;;
esac

demo_packages=(
  # native build
  cmake make g++ python3
  libsqlite3-dev libargon2-dev zlib1g-dev
  # e-mail over SMTP
  libcurl4-openssl-dev
  # SNMP traps (net-snmp)
  libsnmp-dev
  # Java side: the pinned JDK (javac, jar, javadoc) and picocli, which the
  # tool parses with and its jar carries, moved into the tool's own package
  # by jarjar (so it cannot clash with an application's own picocli)
  openjdk-17-jdk-headless libpicocli-java libjarjar-java
)
test_packages=(
  # native tests, and the station database's shell for looking into one
  libgtest-dev googletest sqlite3
  # the loopback SMTP server of the mail tests, and the throwaway
  # certificate it offers STARTTLS with
  python3-aiosmtpd openssl
  # the trap receiver of the SNMP trap tests
  snmptrapd
  # Java tests
  junit5
  # 32-bit Windows cross build, with zlib for it
  gcc-mingw-w64-i686-posix g++-mingw-w64-i686-posix
  mingw-w64-i686-dev binutils-mingw-w64-i686 libz-mingw-w64-dev
  # SQLite, Argon2 and libcurl sources for that build, from Debian's source
  # packages
  dpkg-dev tcl xz-utils ca-certificates
)

packages=("${demo_packages[@]}")
if [[ $set_name == test ]]; then
  packages+=("${test_packages[@]}")
fi

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
  apt_get update -qq
fi
if [[ ${#missing[@]} -gt 0 ]]; then
  echo "Installing ($set_name set): ${missing[*]}"
  apt_get install -y -qq --no-install-recommends "${missing[@]}"
fi

if [[ $set_name == test ]]; then
  # --- wine (test set): runs the 32-bit Windows DLLs' test program (scripts/run-win32-tests.sh)
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
  bash "$here/prepare-curl.sh"
fi
