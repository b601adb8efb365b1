#!/usr/bin/env bash
# Builds the native, sanitize, fuzz, win32 and win64 presets and runs every
# test: the native tests (plainly and under the sanitizers), a short run of
# each fuzz harness, then the Windows tests under Wine on a private Xvfb
# display; then builds the release twice and compares the two. Ends with one
# total line: "N passed, M failed".
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

tools/setup.sh || exit 1
source tools/xvfb.sh
start_private_xvfb || exit 1
trap stop_private_xvfb EXIT
export VEILMARK_TEST_DISPLAY=$PRIVATE_DISPLAY

status=0
junit_files=()
for preset in native sanitize fuzz win32 win64; do
    echo "== $preset =="
    if ! cmake --preset "$preset" >/dev/null || ! cmake --build --preset "$preset"; then
        echo "build of $preset failed"
        status=1
        continue
    fi
    rm -rf "build/$preset/reports"
    mkdir -p "build/$preset/reports"
    junit="build/$preset/reports/ctest.junit.xml"
    ctest --preset "$preset" --output-junit "$root/$junit" || status=1
    junit_files+=("$junit")
done

# The release, built twice from two copies of the checkout, the same byte
# for byte; counted as one test.
echo "== release =="
reports=build/release-check/reports
mkdir -p "$reports"
if tools/check_release.sh | tee "$reports/check_release.log"; then
    result='status="run"/>'
else
    result='status="fail"><failure message="the two builds differ or did not build"/></testcase>'
    status=1
fi
echo "<testsuite><testcase name=\"release_reproducible\" $result</testsuite>" >"$reports/ctest.junit.xml"
junit_files+=("$reports/ctest.junit.xml")

python3 tools/test_summary.py "${junit_files[@]}" || status=1
exit $status
