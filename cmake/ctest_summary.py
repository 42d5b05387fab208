#!/usr/bin/env python3
"""One line on a ctest run, for the end of test.sh, then a line for each
test that did not run with the reason it gave.

    ctest_summary.py CTEST_OUTPUT [BUILD_DIR]

CTEST_OUTPUT is what ctest printed. With BUILD_DIR, the reasons of skipped
GoogleTest tests come from its Testing/Temporary/LastTest.log. A run that
printed no result line is reported as such: a suite that did not finish is
never counted as passed.
"""
import re
import sys
from pathlib import Path


def result_line(output):
    match = re.search(r"(\d+)% tests passed, (\d+) tests? failed out of (\d+)", output)
    if not match:
        return None
    return int(match.group(2)), int(match.group(3))


def not_run(output):
    """(name, kind) of each test ctest lists under 'did not run'."""
    tests = []
    part = output.split("The following tests did not run:", 1)
    if len(part) == 2:
        for line in part[1].splitlines()[1:]:
            # A parameterised test's name goes on with "  # GetParam() = ...".
            match = re.match(r"\s*\d+ - (\S+).* \(([^()]+)\)$", line)
            if not match:
                break
            tests.append((match.group(1), match.group(2)))
    return tests


def last_test_log(build_dir):
    log = Path(build_dir, "Testing", "Temporary", "LastTest.log")
    return log.read_text(errors="replace") if log.exists() else ""


def runner(text):
    """The Wine that ran the tests' programs, else the first test's program."""
    programs = re.findall(r'^Command: "([^"]+)"', text, re.MULTILINE)
    wines = [program for program in programs if "wine" in Path(program).name]
    return (wines or programs or ["unknown"])[0]


def skip_reasons(text):
    """The message GoogleTest printed after 'Skipped', per test."""
    reasons = {}
    for block in re.split(r"\n-{58}\n\n", text):
        name = re.search(r"^\d+/\d+ Test: (\S+)", block, re.MULTILINE)
        reason = re.search(r": Skipped\r?\n(.*)", block)
        if name and reason:
            reasons[name.group(1)] = reason.group(1).strip()
    return reasons


def main():
    output = Path(sys.argv[1]).read_text(errors="replace") if Path(sys.argv[1]).exists() else ""
    result = result_line(output)
    if result is None:
        print("NO RESULT: the run did not finish (see its log above)")
        return
    failed, total = result
    skipped = not_run(output)
    passed = total - failed - len(skipped)
    log = last_test_log(sys.argv[2]) if len(sys.argv) > 2 else ""
    ran_by = f" (run by {runner(log)})" if log else ""
    print(f"{total} tests: {passed} passed, {failed} failed, {len(skipped)} skipped{ran_by}")
    reasons = skip_reasons(log)
    for name, kind in skipped:
        print(f"      {kind.lower()}: {name}: {reasons.get(name, 'no reason given')}")


main()
