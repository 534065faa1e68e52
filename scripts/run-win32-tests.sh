#!/usr/bin/env bash
# Runs the 32-bit Windows DLLs under wine: tests/win32's program loads
# diskarrayjni.dll and tesk740.dll as a 32-bit JVM would and calls natives
# through a fake JNIEnv (see docs/windows.md for what this proves).
#
# The DLLs are laid out as deployed: both in one folder, which the program
# puts on PATH itself; the program and its working directory lie elsewhere.
# The wine prefix is kept in BUILD_DIR/wine-prefix (made once, ~15 s); no
# display is needed.
#
# Usage: scripts/run-win32-tests.sh BUILD_DIR
set -euo pipefail

if [[ $# -ne 1 ]]; then
  echo "usage: $0 BUILD_DIR" >&2
  exit 2
fi
build=$(cd "$1" && pwd)
nm=${NM:-i686-w64-mingw32-nm}
prefix=Java_korvane_str_diskarray_DiskArrayUtilityJNI_

command -v wine >/dev/null || {
  echo "FAIL: wine is not installed (scripts/install-deps.sh installs it)" >&2
  exit 1
}
program=$build/tests/win32/kx_win32_test.exe
header=$build/jni_headers/korvane_str_diskarray_DiskArrayUtilityJNI.h
object_list=$build/bridge/diskarrayjni_native_objects.txt
for file in "$program" "$header" "$object_list" \
  "$build/bridge/diskarrayjni.dll" "$build/core/tesk740.dll"; do
  [[ -f $file ]] || { echo "FAIL: $file not found" >&2; exit 1; }
done

export WINEPREFIX=$build/wine-prefix WINEARCH=win32 WINEDEBUG=-all
# No Mono or Gecko installer prompts, no window: the program is a console one.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY

work=$(mktemp -d)
cleanup() {
  wineserver -k 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

started=$SECONDS
if [[ ! -f $WINEPREFIX/system.reg ]]; then
  echo "Creating the wine prefix $WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  wineserver -w
fi
# Stations of an earlier run under C: go first.
rm -rf "$WINEPREFIX/drive_c/kx win32 tests"

mkdir -p "$work/dlls" "$work/bin" "$work/cwd" "$work/scratch"
cp "$build/bridge/diskarrayjni.dll" "$build/core/tesk740.dll" "$work/dlls/"
cp "$program" "$work/bin/"

# The natives the bridge objects define: what the export table must hold.
mapfile -t objects <"$object_list"
"$nm" -g --defined-only "${objects[@]}" |
  sed -nE "s/^[0-9a-f]+ T _(${prefix}[A-Za-z0-9_@]+)$/\1/p" | sort -u >"$work/implemented.txt"

# Unix paths as wine's Z: drive shows them.
windows_path() {
  local path=$1
  echo "Z:${path//\//\\}"
}

status=0
(cd "$work/cwd" && timeout 300 wine "$work/bin/kx_win32_test.exe" \
  "$(windows_path "$work/dlls")" "$(windows_path "$header")" \
  "$(windows_path "$work/implemented.txt")" "$(windows_path "$work/scratch")") ||
  status=$?

# Seen from Linux, the station made on Z: has its name in UTF-8: the core
# went through the wide file API, not the ANSI one.
if [[ $status -eq 0 && ! -f "$work/scratch/ščřž station/station.db" ]]; then
  echo "FAIL: no station.db under $work/scratch/ščřž station"
  status=1
fi
echo "win32 run: exit status $status, $((SECONDS - started)) s"
exit "$status"
