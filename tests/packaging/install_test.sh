#!/usr/bin/env bash
# cmake --install into a temporary prefix, then the installed launcher run
# from an unrelated directory: it must find its jar and libraries inside the
# prefix (java.library.path, not the jar's copies), also after the prefix is
# moved, and the installed bridge must look for the core only beside itself.
# The class-data archive installed beside the jar is used, and one that does
# not fit (another jar's, or after the move) is ignored without a word.
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

for file in bin/diskarray lib/libtesk740.so lib/libdiskarrayjni.so share/java/diskarray.jar \
  share/java/diskarray.jsa share/man/man1/diskarray.1; do
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
  local prefix=$1 name=$2 options=-Xcheck:jni status=0
  shift 2
  # log_classes=1 run ...: where each class came from, into NAME.classes.
  [[ -z ${log_classes:-} ]] || options+=" -Xlog:class+load=info:file=$work/$name.classes"
  mkdir -p "$work/$name"
  (
    cd "$work/$name"
    env -u LD_LIBRARY_PATH XDG_CACHE_HOME="$work/cache" JAVA_TOOL_OPTIONS="$options" \
      "$prefix/bin/diskarray" "$@"
  ) >"$work/$name.out" 2>"$work/$name.err" || status=$?
  if ((status != 0)); then
    cat "$work/$name.out" "$work/$name.err"
    fail "diskarray $* exited $status"
  fi
  cat "$work/$name.err" >&2
}

# The manual page is the tool's own: every command of its overview is in it.
grep -q '^\.TH DISKARRAY 1 ' "$work/prefix/share/man/man1/diskarray.1" || fail "diskarray.1 has no .TH"
grep -q 'perf plot FILE.csv' "$work/prefix/share/man/man1/diskarray.1" || fail "diskarray.1 lacks perf plot"

station=$work/station
run "$work/prefix" add --station "$station" add installed01
run "$work/prefix" list --station "$station" list
grep -q '^installed01 ' "$work/list.out" || { cat "$work/list.out"; fail "list does not show installed01"; }

# The installed jar's class-data archive was recorded for it, and the
# launcher starts with it: the tool's classes come from the archive.
archive=$work/prefix/share/java/diskarray.jsa
[[ -f $archive ]] || fail "share/java/diskarray.jsa not installed"
# tool_classes NAME: where the run NAME loaded DiskArrayTool from.
tool_classes() { grep ' korvane\.str\.diskarray\.cli\.DiskArrayTool ' "$work/$1.classes"; }
log_classes=1 run "$work/prefix" archived --station "$station" list
tool_classes archived | grep -q 'shared objects file (top)' ||
  fail "the installed launcher did not use its archive: $(tool_classes archived)"
# expect_plain_list NAME: the run listed exactly the one unit, and the JVM
# said nothing about an archive it could not use, on either stream.
expect_plain_list() {
  [[ $(cat "$work/$1.out") == "$(cat "$work/list.out")" ]] ||
    { cat "$work/$1.out"; fail "$1: the listing differs from the first one"; }
  ! grep -qiE '\]\[(warning|info|error) *\]|shared archive' "$work/$1.out" "$work/$1.err" ||
    { cat "$work/$1.out" "$work/$1.err"; fail "$1: the JVM complained about the archive"; }
}
expect_plain_list archived

# An archive recorded for another jar (the build tree's) is ignored quietly.
cp "$archive" "$work/installed.jsa"
cp -f "$build/java/diskarray.jsa" "$archive"
log_classes=1 run "$work/prefix" other-jar --station "$station" list
expect_plain_list other-jar
tool_classes other-jar | grep -q 'source: file:' ||
  fail "another jar's archive was used: $(tool_classes other-jar)"
cp -f "$work/installed.jsa" "$archive"

# Moved whole, the tree still runs: the launcher finds it from its own place.
# Its archive names the old path and is ignored, quietly.
mv "$work/prefix" "$work/moved"
run "$work/moved" moved --station "$station" list
grep -q '^installed01 ' "$work/moved.out" || { cat "$work/moved.out"; fail "the moved tree does not list installed01"; }
expect_plain_list moved

# The libraries came from lib/: nothing was extracted from the jar.
[[ ! -e $work/cache/diskarray ]] || fail "the launcher's run extracted the jar's libraries"
echo "install test passed"
