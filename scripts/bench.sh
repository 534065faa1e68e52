#!/usr/bin/env bash
# Installs what is missing, builds the bridge's benchmark with Release flags
# in build-bench/ and prints its table (Markdown) on standard output; progress
# goes to standard error. The bridge runs against a fast fake core, so the
# table shows what the bridge costs, not the station's database; the station
# rows, run after them, use the shipped bridge against the real core. A few
# minutes on two idle cores once built. Options are passed to the harness, e.g.
#   bash scripts/bench.sh --row KX_GetDriveStatus --rounds 31
# See docs/benchmark.md.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

if [[ -f scripts/install-deps.sh ]]; then
  bash scripts/install-deps.sh --demo >&2
fi

build=${KX_BENCH_BUILD_DIR:-build-bench}
jobs=${KX_BUILD_JOBS:-2}

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DKX_BUILD_BENCH=ON \
  -DKX_BUILD_TESTS=OFF >&2
cmake --build "$build" -j "$jobs" --target kxbench_all >&2

java=/usr/lib/jvm/java-17-openjdk-amd64/bin/java
# The station rows load the shipped bridge (and, through it, the real core)
# and the station natives; the other rows only what bench/lib holds.
exec "$java" "-Djava.library.path=$PWD/$build/bench/lib" \
  "-Dkx.bench.station.path=$PWD/$build/bridge:$PWD/$build/bench/station" \
  -cp "$PWD/$build/bench/kxbench.jar:$PWD/$build/java/diskarray-classes.jar" \
  korvane.str.diskarray.bench.Bench "$@"
