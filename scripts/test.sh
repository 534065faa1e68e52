#!/usr/bin/env bash
# Builds everything and runs every test:
#   build/        normal build, native and Java tests (ctest)
#   build-asan/   AddressSanitizer + UndefinedBehaviorSanitizer, same tests
#   build-win32/  32-bit Windows cross build, export and import checks, and
#                 its DLLs run under wine
#   then build/java/diskarray.jar with the libraries of both builds
# Installs missing Debian packages first (the test set). Exits non-zero if
# any step fails.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

jobs=${KX_BUILD_JOBS:-2}
logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT

bash scripts/install-deps.sh --test

failed=()
steps=()
# run_step NAME COMMAND...: runs one step, keeps its output in $logs/NAME.log,
# notes its wall time for the summary and records a failure without stopping
# the remaining steps.
run_step() {
  local name=$1
  shift
  echo "=== $name: $*"
  local started=$SECONDS status=0 mark=""
  "$@" 2>&1 | tee "$logs/$name.log" || status=$?
  [[ $status -eq 0 ]] || mark="  FAILED"
  steps+=("$(printf '%-28s %5d s%s' "$name" $((SECONDS - started)) "$mark")")
  if [[ $status -ne 0 ]]; then
    failed+=("$name")
    return 1
  fi
}

# A failed step ends its build (run_step has recorded it); the other builds
# still run.
build_and_test() {
  local dir=$1
  shift
  run_step "$dir-configure" cmake -S . -B "$dir" "$@" || return 0
  run_step "$dir-build" cmake --build "$dir" -j "$jobs" || return 0
  run_step "$dir-ctest" ctest --test-dir "$dir" --output-on-failure --no-tests=error -j "$jobs" --timeout 600 || return 0
}

build_and_check_win32() {
  run_step build-win32-configure cmake -S . -B build-win32 \
    -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-w64-mingw32.cmake || return 0
  run_step build-win32-build cmake --build build-win32 -j "$jobs" || return 0
  run_step build-win32-check bash scripts/check-win32-exports.sh build-win32 || return 0
  run_step build-win32-wine bash scripts/run-win32-tests.sh build-win32 || return 0
}

build_and_test build -DKX_BUILD_TESTS=ON
build_and_test build-asan -DKX_SANITIZE=ON -DKX_BUILD_TESTS=ON
build_and_check_win32
if [[ -f $logs/build-win32-check.log && ! " ${failed[*]} " =~ " build-win32-" ]]; then
  run_step jar-both-platforms bash scripts/package-jar.sh build build-win32 || true
fi

echo
echo "=== Summary"
echo "Wall time per step:"
printf '  %s\n' "${steps[@]}"
printf '  %-28s %5d s\n' "all (with the package check)" "$SECONDS"
for dir in build build-asan; do
  summary=$(grep -E 'tests passed|No tests were found' "$logs/$dir-ctest.log" 2>/dev/null || echo "not run")
  echo "$dir: $summary"
done
echo "build-win32: $(grep -E '^win32 exports:' "$logs/build-win32-check.log" 2>/dev/null || echo "not run")"
echo "build-win32 under wine: $(grep -E '^[0-9]+ passed, [0-9]+ failed' "$logs/build-win32-wine.log" 2>/dev/null || echo "not run")"

if [[ ${#failed[@]} -gt 0 ]]; then
  echo "FAILED: ${failed[*]}"
  exit 1
fi
echo "All steps passed."
