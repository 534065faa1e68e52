#!/usr/bin/env bash
# Installs what is missing, builds the bridge, the stand-in core and the Java
# side in build/, and runs the command-line tool's demo on a new station
# directory: the unit registry, then a user, a login, RAID groups and LUs,
# their format with a progress bar, and the unit's status. The format takes
# about five seconds at the station's default pace; KX_FORMAT_SECONDS_PER_GB
# in the environment changes that pace. Run from anywhere: bash scripts/demo.sh
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

if [[ -f scripts/install-deps.sh ]]; then
  bash scripts/install-deps.sh
fi

jobs=${KX_BUILD_JOBS:-2}
cmake -S . -B build
# Only what the demo runs; scripts/test.sh builds the rest.
cmake --build build -j "$jobs" --target diskarrayjni diskarray_jar

java=/usr/lib/jvm/java-17-openjdk-amd64/bin/java
# libdiskarrayjni.so finds libtesk740.so through its build-tree RUNPATH.
library_path="$PWD/build/bridge:$PWD/build/core"
station=$(mktemp -d "${TMPDIR:-/tmp}/diskarray-demo.XXXXXX")

"$java" "-Djava.library.path=$library_path" -jar build/java/diskarray.jar \
  --station "$station" demo

tool="$java -Djava.library.path=$library_path -jar $PWD/build/java/diskarray.jar --station $station"
echo
echo "To look at the demo station again:"
echo "  $tool list"
echo "  $tool status array01"
echo "  $tool lu list array01"
