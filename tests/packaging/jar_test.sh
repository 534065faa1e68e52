#!/usr/bin/env bash
# diskarray.jar carries picocli only inside the tool's own package, so it
# shares a class path with an application that has a picocli of its own:
# here the application's picocli.CommandLine, which has none of what the tool
# calls, comes first on the class path, and the tool still runs; so does
# java -jar with nothing else.
# Usage: jar_test.sh JAVA JAVAC JAR_TOOL TOOL_JAR
set -euo pipefail
java=$1
javac=$2
jar_tool=$3
jar=$4

work=$(mktemp -d "${TMPDIR:-/tmp}/kx-jar-test.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

entries=$("$jar_tool" --list --file "$jar")
if grep -q '^picocli/' <<<"$entries"; then
  fail "diskarray.jar has picocli/ entries: $(grep -m3 '^picocli/' <<<"$entries" | tr '\n' ' ')"
fi
grep -qx 'korvane/str/diskarray/cli/picocli/CommandLine.class' <<<"$entries" ||
  fail "diskarray.jar lacks the moved picocli (korvane/str/diskarray/cli/picocli/)"

mkdir -p "$work/application/picocli"
cat >"$work/application/picocli/CommandLine.java" <<'JAVA'
package picocli;

/** An application's own picocli, of another shape than the one the tool was built with. */
public final class CommandLine {
  public static String owner() {
    return "application";
  }
}
JAVA
"$javac" -d "$work/application" "$work/application/picocli/CommandLine.java"

# tool NAME JAVA-ARGS...: a JVM with no library path, its own cache folder
# (the libraries come from the jar), under -Xcheck:jni.
tool() {
  local name=$1 status=0
  shift
  env -u LD_LIBRARY_PATH -u JAVA_TOOL_OPTIONS XDG_CACHE_HOME="$work/cache" \
    "$java" -Xcheck:jni "$@" >"$work/$name.out" 2>"$work/$name.err" || status=$?
  if ((status != 0)); then
    cat "$work/$name.out" "$work/$name.err"
    fail "$name: java $* exited $status"
  fi
  cat "$work/$name.err" >&2
}

station=$work/station
tool add -cp "$work/application:$jar" korvane.str.diskarray.cli.DiskArrayTool \
  --station "$station" add app01
tool list -cp "$work/application:$jar" korvane.str.diskarray.cli.DiskArrayTool \
  --station "$station" list
grep -q '^app01 ' "$work/list.out" || { cat "$work/list.out"; fail "list beside the application's picocli"; }
tool help -cp "$work/application:$jar" korvane.str.diskarray.cli.DiskArrayTool list --help
grep -q 'Usage: diskarray list' "$work/help.out" || { cat "$work/help.out"; fail "list --help"; }

tool alone -jar "$jar" --station "$station" list
grep -q '^app01 ' "$work/alone.out" || { cat "$work/alone.out"; fail "java -jar does not list app01"; }
echo "jar test passed"
