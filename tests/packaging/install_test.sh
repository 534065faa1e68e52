#!/usr/bin/env bash
# cmake --install into a temporary prefix, then the installed launcher run
# from an unrelated directory: it must find its jar and libraries inside the
# prefix (java.library.path, not the jar's copies), also after the prefix is
# moved, and the installed bridge must look for the core only beside itself.
# Usage: install_test.sh CMAKE BUILD_DIR
set -euo pipefail
cmake=$1
build=$2

work=$(mktemp -d "${TMPDIR:-/tmp}/kx-install-test.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

"$cmake" --install "$build" --prefix "$work/prefix" >"$work/install.log" ||
  { cat "$work/install.log"; fail "cmake --install"; }

for file in bin/diskarray lib/libtesk740.so lib/libdiskarrayjni.so share/java/diskarray.jar; do
  [[ -e $work/prefix/$file ]] || fail "$file not installed"
done
[[ -x $work/prefix/bin/diskarray ]] || fail "bin/diskarray is not executable"
[[ -f $work/prefix/share/snmp/mibs/KX-DISKARRAY-MIB.txt ]] || fail "the traps' MIB is not installed"
# The monitor's systemd unit runs the launcher of this prefix.
unit=$work/prefix/lib/systemd/system/diskarray-monitor@.service
[[ -f $unit ]] || fail "the monitor's systemd unit is not installed"
grep -qx "ExecStart=$work/prefix/bin/diskarray monitor" "$unit" ||
  fail "the monitor's unit does not run $work/prefix/bin/diskarray: $(grep ExecStart "$unit")"

# The installed bridge finds the core through $ORIGIN and nothing else: no
# build folder, and no empty entry (which would mean the current directory).
runpath=$(readelf -d "$work/prefix/lib/libdiskarrayjni.so" | sed -n 's/.*(RUNPATH).*\[\(.*\)\]/\1/p')
# shellcheck disable=SC2016 # the literal $ORIGIN
[[ $runpath == '$ORIGIN' ]] || fail "installed bridge has RUNPATH '$runpath'"

# run PREFIX NAME ARGS...: the launcher in an empty directory, no library
# path from the environment, a cache folder of its own.
run() {
  local prefix=$1 name=$2
  shift 2
  mkdir -p "$work/$name"
  (
    cd "$work/$name"
    env -u LD_LIBRARY_PATH XDG_CACHE_HOME="$work/cache" JAVA_TOOL_OPTIONS=-Xcheck:jni \
      "$prefix/bin/diskarray" "$@"
  ) >"$work/$name.out" 2>"$work/$name.err" || {
    cat "$work/$name.out" "$work/$name.err"
    fail "diskarray $* exited $?"
  }
  cat "$work/$name.err" >&2
}

station=$work/station
run "$work/prefix" add --station "$station" add installed01
run "$work/prefix" list --station "$station" list
grep -q '^installed01 ' "$work/list.out" || { cat "$work/list.out"; fail "list does not show installed01"; }

# Moved whole, the tree still runs: the launcher finds it from its own place.
mv "$work/prefix" "$work/moved"
run "$work/moved" moved --station "$station" list
grep -q '^installed01 ' "$work/moved.out" || { cat "$work/moved.out"; fail "the moved tree does not list installed01"; }

# The libraries came from lib/: nothing was extracted from the jar.
[[ ! -e $work/cache/diskarray ]] || fail "the launcher's run extracted the jar's libraries"
echo "install test passed"
