#!/usr/bin/env bash
# The tool's start-up cost: CPU time (user + system, from the kernel's
# account of each child process) of `java -version` and of short tool
# commands, with and without the class-data archive and the first JIT
# compiler alone (C1). Each round runs every variant once, one after the
# other, so a variant and `java -version` see the same machine load; the
# table gives each variant's median over the rounds and the median of its
# per-round ratio to `java -version`.
#   bash scripts/bench-startup.sh [-n ROUNDS] [BUILD_DIR]
# (default 15 rounds, build). Builds the jar and its archive first; prints a
# Markdown table (the one in docs/benchmark.md, "Tool start-up").
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

rounds=15
while getopts n: option; do
  case $option in
    n) rounds=$OPTARG ;;
    *)
      echo "usage: $0 [-n ROUNDS] [BUILD_DIR]" >&2
      exit 2
      ;;
  esac
done
shift $((OPTIND - 1))
build=$(cd "${1:-build}" && pwd)

cmake --build "$build" --target diskarray_class_archive -j "${KX_BUILD_JOBS:-2}" >/dev/null
launcher=$build/diskarray
jar=$build/java/diskarray.jar
archive=$build/java/diskarray.jsa
[[ -f $archive ]] || {
  echo "$archive is missing" >&2
  exit 1
}
# The java and the library folders the build's launcher uses.
java=$(sed -n 's/^java=${DISKARRAY_JAVA:-\(.*\)}$/\1/p' "$launcher")
libraries=$(sed -n "s/^libraries='\(.*\)'$/\1/p" "$launcher")
[[ -x $java && -n $libraries ]] || {
  echo "cannot read java and the library folders from $launcher" >&2
  exit 1
}

work=$(mktemp -d "${TMPDIR:-/tmp}/kx-bench-startup.XXXXXX")
trap 'rm -rf "$work"' EXIT
station=$work/station
for unit in bench01 bench02 bench03; do
  "$launcher" --station "$station" add "$unit" >/dev/null
done

quick=(-XX:TieredStopAtLevel=1 -XX:+UseSerialGC -XX:-UsePerfData)
c1=(-XX:TieredStopAtLevel=1)
shared=("-XX:SharedArchiveFile=$archive" -Xshare:auto '-Xlog:cds*=off')
plain=("$java" "-Djava.library.path=$libraries")
tool=(-jar "$jar" --station "$station")

# Each variant: its label, then its command line, one word a line.
variants=$work/variants
{
  printf '%s\n' '`java -version`' "$java" -version ""
  printf '%s\n' '`diskarray list`, the launcher' "$launcher" --station "$station" list ""
  printf '%s\n' '`diskarray --help`, the launcher' "$launcher" --help ""
  printf '%s\n' 'list: JVM defaults, no archive' "${plain[@]}" "${tool[@]}" list ""
  printf '%s\n' 'list: C1 only, no archive' "${plain[@]}" "${c1[@]}" "${tool[@]}" list ""
  printf '%s\n' 'list: archive, both compilers' "${plain[@]}" "${shared[@]}" "${tool[@]}" list ""
  printf '%s\n' 'list: archive + C1 only (the launcher)' "${plain[@]}" "${shared[@]}" "${c1[@]}" \
    "${tool[@]}" list ""
  printf '%s\n' 'list: archive + C1 + serial GC, no perf data' "${plain[@]}" "${shared[@]}" \
    "${quick[@]}" "${tool[@]}" list ""
  printf '%s\n' '--help: JVM defaults, no archive' "${plain[@]}" -jar "$jar" --help ""
} >"$variants"

python3 - "$rounds" "$variants" <<'EOF'
import os, statistics, sys

rounds = int(sys.argv[1])
variants = []
for block in open(sys.argv[2]).read().split("\n\n"):
    words = block.strip("\n").split("\n")
    if words and words[0]:
        variants.append((words[0], words[1:]))

def cpu_seconds(command):
    """User + system time of one run of command, its output discarded."""
    pid = os.fork()
    if pid == 0:
        null = os.open(os.devnull, os.O_RDWR)
        for fd in (0, 1, 2):
            os.dup2(null, fd)
        os.execv(command[0], command)
    _, status, usage = os.wait4(pid, 0)
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit("failed: " + " ".join(command))
    return usage.ru_utime + usage.ru_stime

times = [[] for _ in variants]
for _ in range(rounds):
    for i, (_, command) in enumerate(variants):
        times[i].append(cpu_seconds(command))

print(f"| Command ({rounds} rounds) | CPU ms, median | min | max | x `java -version` |")
print("|---|---:|---:|---:|---:|")
for i, (label, _) in enumerate(variants):
    ratio = statistics.median(t / v for t, v in zip(times[i], times[0]))
    print(f"| {label} | {statistics.median(times[i]) * 1000:.0f} | {min(times[i]) * 1000:.0f}"
          f" | {max(times[i]) * 1000:.0f} | {ratio:.1f} |")
EOF
