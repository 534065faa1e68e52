#!/usr/bin/env bash
# Checks the 32-bit Windows build of the bridge:
#  - every export of diskarrayjni.dll is _Java_korvane_str_diskarray_
#    DiskArrayUtilityJNI_KX_1<Op>@N, N being the argument bytes of the
#    native's declaration in the javac -h header (8 + 4 per Java argument);
#  - every native the bridge objects define is exported;
#  - diskarrayjni.dll imports tesk740.dll, KERNEL32.dll and msvcrt.dll only;
#  - tesk740.dll uses the same C runtime, msvcrt.dll, no MinGW runtime DLL,
#    and no DLL but those of Windows itself that it is known to need.
# The header is read independently of cmake/Win32JniExports.cmake, which
# writes the export list, so that a fault there shows up here.
#
# Usage: scripts/check-win32-exports.sh BUILD_DIR
set -euo pipefail

if [[ $# -ne 1 ]]; then
  echo "usage: $0 BUILD_DIR" >&2
  exit 2
fi
build=$1
objdump=${OBJDUMP:-i686-w64-mingw32-objdump}
nm=${NM:-i686-w64-mingw32-nm}
prefix=Java_korvane_str_diskarray_DiskArrayUtilityJNI_
header=$build/jni_headers/korvane_str_diskarray_DiskArrayUtilityJNI.h
object_list=$build/bridge/diskarrayjni_native_objects.txt

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

find_one() {
  local found
  found=$(find "$build" -name "$1" -type f | head -n 1)
  if [[ -z $found ]]; then
    echo "FAIL: $1 not found under $build" >&2
    exit 1
  fi
  echo "$found"
}
bridge_dll=$(find_one diskarrayjni.dll)
core_dll=$(find_one tesk740.dll)
for file in "$header" "$object_list"; do
  [[ -f $file ]] || { echo "FAIL: $file not found" >&2; exit 1; }
done

for dll in "$bridge_dll" "$core_dll"; do
  "$objdump" -f "$dll" | grep -q 'file format pei-i386' ||
    fail "$(basename "$dll") is not a 32-bit Windows image"
done

# "<method> <argument bytes>" for every native the header declares.
declared=$(tr '\n' ' ' <"$header" |
  grep -oE "JNICALL +${prefix}[A-Za-z0-9_]+ *\([^)]*\)" |
  sed -E "s/^JNICALL +${prefix}([A-Za-z0-9_]+) *\((.*)\)$/\1 \2/" |
  awk '{
    method = $1
    sub(/^[^ ]+ /, "")
    count = split($0, params, ",")
    bytes = 0
    for (i = 1; i <= count; i++) {
      gsub(/ /, "", params[i])
      bytes += (params[i] == "jlong" || params[i] == "jdouble") ? 8 : 4
    }
    print method, bytes
  }' | sort)
declared_count=$(grep -c . <<<"$declared" || true)
[[ $declared_count -gt 0 ]] || fail "no native declarations in $header"

# objdump -p lists the export name table as "\t[   n] name".
exports=$("$objdump" -p "$bridge_dll" |
  sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' |
  sed -nE 's/^[[:space:]]*\[ *[0-9]+\] (.*)$/\1/p' | sort)
export_count=$(grep -c . <<<"$exports" || true)

# (a) export names
while read -r name; do
  [[ -n $name ]] || continue
  if [[ ! $name =~ ^_${prefix}([A-Za-z0-9_]+)@([0-9]+)$ ]]; then
    fail "unexpected export $name"
    continue
  fi
  method=${BASH_REMATCH[1]} bytes=${BASH_REMATCH[2]}
  expected=$(awk -v m="$method" '$1 == m { print $2 }' <<<"$declared")
  if [[ -z $expected ]]; then
    fail "export $name is not declared in DiskArrayUtilityJNI"
  elif [[ $bytes != "$expected" ]]; then
    fail "export $name: the declaration takes $expected bytes of arguments"
  fi
done <<<"$exports"
duplicates=$(uniq -d <<<"$exports")
[[ -z $duplicates ]] || fail "exported more than once: $duplicates"

# (b) every native the bridge objects define is exported
mapfile -t objects <"$object_list"
defined=$("$nm" -g --defined-only "${objects[@]}" |
  sed -nE "s/^[0-9a-f]+ T _(${prefix}[A-Za-z0-9_@]+)$/\1/p" | sort -u)
defined_count=$(grep -c . <<<"$defined" || true)
while read -r symbol; do
  [[ -n $symbol ]] || continue
  grep -qxF "_$symbol" <<<"$exports" || fail "$symbol is defined but not exported as _$symbol"
done <<<"$defined"
[[ $export_count -gt 0 ]] || fail "diskarrayjni.dll exports no native method"

one_line() {
  paste -sd ' ' <<<"$1"
}

imports_of() {
  "$objdump" -p "$1" | sed -nE 's/^[[:space:]]*DLL Name: (.*)$/\1/p' |
    tr '[:upper:]' '[:lower:]' | sort -u
}

# (c) imports of the bridge
bridge_imports=$(imports_of "$bridge_dll")
expected_imports=$(printf '%s\n' kernel32.dll msvcrt.dll tesk740.dll)
if [[ $bridge_imports != "$expected_imports" ]]; then
  fail "diskarrayjni.dll imports [$(one_line "$bridge_imports")], expected [$(one_line "$expected_imports")]"
fi

# (d) the core shares the bridge's C runtime, since the bridge frees a buffer
# the core allocates
core_imports=$(imports_of "$core_dll")
grep -qx msvcrt.dll <<<"$core_imports" || fail "tesk740.dll does not import msvcrt.dll"
other_runtimes=$(grep -E '^(ucrtbase|api-ms-win-crt-|msvcr[0-9]|vcruntime|libgcc|libstdc\+\+|libwinpthread)' \
  <<<"$core_imports" || true)
[[ -z $other_runtimes ]] || fail "tesk740.dll imports another runtime: $(one_line "$other_runtimes")"

# (e) the core imports only system DLLs every Windows has: KERNEL32 and the
# C runtime, and for the libcurl built in (mail, TLS through Schannel)
# WS2_32 (sockets), CRYPT32 (certificates), bcrypt and ADVAPI32 (random
# numbers, hashes). A new one must be added here deliberately.
allowed_core_imports=(kernel32.dll msvcrt.dll ws2_32.dll crypt32.dll bcrypt.dll advapi32.dll)
unexpected=$(grep -vxF -f <(printf '%s\n' "${allowed_core_imports[@]}") <<<"$core_imports" || true)
[[ -z $unexpected ]] || fail "tesk740.dll imports $(one_line "$unexpected"), which is not on the list of system DLLs it may import"

echo "win32 exports: $export_count exported, $defined_count defined in the bridge, $declared_count declared;" \
  "diskarrayjni.dll imports [$(one_line "$bridge_imports")]; tesk740.dll imports [$(one_line "$core_imports")];" \
  "$failures failure(s)"
[[ $failures -eq 0 ]]
