#!/usr/bin/env python3
"""Runs the generated GoogleTest suites of a test program: one ctest test per
suite, all of its cases in one process.

  run_suite.py discover PROGRAM PREFIX OUTPUT.cmake PATTERNS...
      lists the program's parameterised suites (their names hold a '/') and
      writes one add_test per suite, each running this script's 'run' mode.
  run_suite.py run PROGRAM SUITE PATTERNS...
      runs every case of SUITE with gtest's own output. A case that ends the
      process (a crash, a sanitizer report, a JNI check abort) is named and
      counted as failed, and the remaining cases run in a new process, so one
      crashing native hides no other native's result. A line matching one of
      PATTERNS (a JNI check report) fails the case it appears in.
"""
import re
import subprocess
import sys

RUN = re.compile(r"^\[ RUN      \] (\S+)")
# A failed parameterised case's line goes on ", where GetParam() = ...".
ENDED = re.compile(r"^\[ +(OK|FAILED|SKIPPED) +\] ([^\s,]+)")


def list_cases(program, gtest_filter):
    listing = subprocess.run(
        [program, "--gtest_list_tests", "--gtest_filter=" + gtest_filter],
        check=True, capture_output=True, text=True).stdout
    cases, suite = [], None
    for line in listing.splitlines():
        if not line.strip():
            continue
        if not line.startswith(" "):
            suite = line.strip()
        else:
            # Parameterised cases carry "  # GetParam() = ..." after the name.
            cases.append(suite + line.split("#", 1)[0].strip())
    return cases


def cmake_quote(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"').replace("$", "\\$") + '"'


def discover(program, prefix, output, patterns):
    suites = []
    for case in list_cases(program, "*/*"):
        suite = case.split(".", 1)[0]
        if suite not in suites:
            suites.append(suite)
    lines = []
    for suite in suites:
        name = prefix + suite
        command = [sys.executable, __file__, "run", program, suite] + patterns
        lines.append("add_test(%s %s)" % (cmake_quote(name),
                                          " ".join(map(cmake_quote, command))))
        lines.append("set_tests_properties(%s PROPERTIES LABELS generated TIMEOUT 600)"
                     % cmake_quote(name))
    with open(output, "w", encoding="utf-8") as f:
        f.write("\n".join(lines) + "\n")


def run(program, suite, patterns):
    remaining = list_cases(program, suite + ".*")
    if not remaining:
        print("no cases in suite " + suite)
        return 1
    reports = [re.compile(re.escape(p)) for p in patterns]
    passed, failed, crashed = [], [], []
    exit_failed = False
    gtest_filter = suite + ".*"
    while remaining:
        process = subprocess.Popen(
            [program, "--gtest_catch_exceptions=0", "--gtest_filter=" + gtest_filter],
            stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, errors="replace")
        current, reported = None, set()
        for line in process.stdout:
            sys.stdout.write(line)
            started = RUN.match(line)
            ended = ENDED.match(line)
            if started:
                current = started.group(1)
            elif ended and ended.group(2) == current:
                (passed if ended.group(1) != "FAILED" and current not in reported
                 else failed).append(current)
                remaining.remove(current)
                current = None
            elif current and any(r.search(line) for r in reports):
                reported.add(current)
        status = process.wait()
        sys.stdout.flush()
        if current is not None:
            print("[ CRASHED  ] %s (exit status %d); running the remaining cases"
                  % (current, status), flush=True)
            crashed.append(current)
            remaining.remove(current)
            # Only the cases still to run.
            gtest_filter = ":".join(remaining)
        elif status != 0 and remaining:
            print("the program ended with status %d before its cases ran" % status)
            failed.extend(remaining)
            break
        elif status != 0 and not failed:
            # Every case passed, yet the process failed on its way out (a
            # sanitizer or JNI check report at exit).
            print("the program ended with status %d after its cases" % status)
            exit_failed = True
    print("\n%s: %d cases, %d passed, %d failed, %d crashed"
          % (suite, len(passed) + len(failed) + len(crashed), len(passed),
             len(failed), len(crashed)))
    for case in failed:
        print("  FAILED  " + case)
    for case in crashed:
        print("  CRASHED " + case)
    return 0 if not failed and not crashed and not exit_failed else 1


def main():
    if len(sys.argv) >= 5 and sys.argv[1] == "discover":
        discover(sys.argv[2], sys.argv[3], sys.argv[4], sys.argv[5:])
        return 0
    if len(sys.argv) >= 4 and sys.argv[1] == "run":
        return run(sys.argv[2], sys.argv[3], sys.argv[4:])
    sys.exit(__doc__)


if __name__ == "__main__":
    sys.exit(main())
