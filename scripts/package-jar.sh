#!/usr/bin/env bash
# Makes diskarray.jar carry the native libraries of both platforms: the
# Linux build's own (always) and the 32-bit Windows cross build's. Run after
# both builds, e.g. by scripts/test.sh:
#   bash scripts/package-jar.sh [BUILD_DIR [WIN32_BUILD_DIR]]
# (defaults build and build-win32). It sets KX_WIN32_BUILD_DIR in BUILD_DIR's
# configuration, so later builds of the jar keep the Windows libraries; set
# it empty (cmake -DKX_WIN32_BUILD_DIR=) to build the jar without them.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

build=${1:-build}
win32=$(cd "${2:-build-win32}" && pwd)
for dll in core/tesk740.dll bridge/diskarrayjni.dll; do
  if [[ ! -f $win32/$dll ]]; then
    echo "$win32/$dll is missing: build the 32-bit Windows cross build first" >&2
    exit 1
  fi
done

cmake -S . -B "$build" "-DKX_WIN32_BUILD_DIR=$win32" >/dev/null
# The class-data archive belongs to one jar: it is recorded again for the new one.
cmake --build "$build" --target diskarray_class_archive -j "${KX_BUILD_JOBS:-2}"

jar_tool=/usr/lib/jvm/java-17-openjdk-amd64/bin/jar
entries=$("$jar_tool" --list --file "$build/java/diskarray.jar" | grep '^korvane/str/diskarray/native/.*[^/]$')
echo "$build/java/diskarray.jar carries:"
sed 's/^/  /' <<<"$entries"
for entry in linux-x86_64/libtesk740.so linux-x86_64/libdiskarrayjni.so \
  windows-x86/tesk740.dll windows-x86/diskarrayjni.dll; do
  if ! grep -qx "korvane/str/diskarray/native/$entry" <<<"$entries"; then
    echo "diskarray.jar lacks $entry" >&2
    exit 1
  fi
done
