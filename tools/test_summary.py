#!/usr/bin/env python3
"""Totals the test results of every preset into one line.

Each CTest JUnit file lists the preset's test commands. A command that ran a
GoogleTest program left that program's own XML report beside it, named after
the command; its test cases are counted one by one. Any other command counts
as one test. Prints "N passed, M failed" (and the skipped, if any) and exits
non-zero when something failed or a program left no report.
"""
import os
import sys
import xml.etree.ElementTree as ET


def gtest_counts(report):
    suites = ET.parse(report).getroot()
    total = int(suites.get("tests", 0))
    failed = int(suites.get("failures", 0)) + int(suites.get("errors", 0))
    skipped = int(suites.get("skipped", 0)) + int(suites.get("disabled", 0))
    return total - failed - skipped, failed, skipped


def main(junit_files):
    passed = failed = skipped = 0
    for junit in junit_files:
        reports = os.path.dirname(junit)
        for case in ET.parse(junit).getroot().iter("testcase"):
            name = case.get("name")
            status = case.get("status")
            report = os.path.join(reports, name + ".xml")
            if status == "skipped" or case.find("skipped") is not None:
                skipped += 1
            elif os.path.exists(report):
                p, f, s = gtest_counts(report)
                passed, skipped = passed + p, skipped + s
                # A program that crashed after writing its report still failed.
                failed += f if f or status != "fail" else 1
            elif status == "run" or (status is None and case.find("failure") is None):
                passed += 1
            else:
                failed += 1
    line = f"{passed} passed, {failed} failed"
    if skipped:
        line += f" ({skipped} skipped)"
    print(line)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
