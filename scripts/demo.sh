#!/usr/bin/env bash
# Installs what the demo needs and is missing (scripts/install-deps.sh
# --demo), builds the bridge, the stand-in core and the tool in build/, and
# runs the tool's demo on a new station directory: a tour of every area, each
# step a command of the tool as it would be typed (diskarray demo). Formats and
# the microcode restart run at a quick pace here, about a second each;
# KX_FORMAT_SECONDS_PER_GB and KX_RESTART_SECONDS in the environment change it.
# A local SMTP server receives the demo's mail when Debian's python3-aiosmtpd
# is installed; without it the mail is shown refused.
# Run from anywhere: bash scripts/demo.sh
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

bash scripts/install-deps.sh --demo

# Without the test toolchain (scripts/install-deps.sh --test) the build
# leaves the tests out; with it, build/ stays configured as it is.
configure=()
for package in libgtest-dev junit5; do
  if [[ $(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null) != installed ]]; then
    configure=(-DKX_BUILD_TESTS=OFF)
  fi
done

jobs=${KX_BUILD_JOBS:-2}
cmake -S . -B build "${configure[@]}"
# Only what the demo runs: the libraries, diskarray.jar and the launcher
# build/diskarray. scripts/test.sh builds the rest.
cmake --build build -j "$jobs" --target diskarray_tool_jar

station=$(mktemp -d "${TMPDIR:-/tmp}/diskarray-demo.XXXXXX")
KX_FORMAT_SECONDS_PER_GB=${KX_FORMAT_SECONDS_PER_GB:-1} \
  KX_RESTART_SECONDS=${KX_RESTART_SECONDS:-1} \
  build/diskarray --station "$station" demo

echo
echo "To look at the demo station again (build/diskarray runs build/java/diskarray.jar;"
echo "java -jar build/java/diskarray.jar works as well):"
echo "  build/diskarray --station $station list"
echo "  build/diskarray --station $station status array01"
echo "  build/diskarray --station $station lu list array01"
echo "  build/diskarray --station $station alerts array01 --mode peek"
echo "The files the demo wrote (CSV, SVG chart, trace, snapshot) are in $station/demo."
