#!/usr/bin/env bash
# Builds the native, sanitize, fuzz, win32 and win64 presets and runs every
# test: the native tests (the unit tests under the sanitizers, the programs'
# benchmarks and the layers' checks plainly), a short run of
# each fuzz harness, then the Windows tests under Wine on a private Xvfb
# display; then builds the release twice and compares the two. Prints how
# long each phase took, and ends with one total line: "N passed, M failed".
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

# The phases and their seconds, for the table at the end.
timings=()
phase_name=""
phase_start=$(date +%s)
phase() {  # NAME: ends the phase that runs, and starts NAME (none: none)
    local now
    now=$(date +%s)
    [ -n "$phase_name" ] && timings+=("$(printf '%-22s %5d s' "$phase_name" $((now - phase_start)))")
    phase_name=${1:-}
    phase_start=$now
}

phase set-up
tools/setup.sh || exit 1
source tools/wine_env.sh
source tools/xvfb.sh
start_private_xvfb || exit 1
trap stop_private_xvfb EXIT
export VEILMARK_TEST_DISPLAY=$PRIVATE_DISPLAY

status=0
junit_files=()
for preset in native sanitize fuzz win32 win64; do
    echo "== $preset =="
    phase "build $preset"
    # The unit tests run once, under the sanitizers: the plain build makes
    # and tests everything else (the programs, the benchmarks, the layers).
    # Where 32-bit programs cannot run, the i686 test programs would be
    # built for nothing: their tests report themselves skipped. The program
    # and its help files are built and checked all the same.
    targets=()
    ctest_options=()
    if [ "$preset" = native ]; then
        targets=(--target all_but_unit_tests)
        ctest_options=(--exclude-regex '^veilmark_tests$')
    elif [ "$preset" = win32 ] && ! can_run_32bit; then
        targets=(--target veilmark help_file)
    fi
    if ! cmake --preset "$preset" >/dev/null || ! cmake --build --preset "$preset" "${targets[@]}"; then
        echo "build of $preset failed"
        status=1
        continue
    fi
    phase "ctest $preset"
    rm -rf "build/$preset/reports"
    mkdir -p "build/$preset/reports"
    junit="build/$preset/reports/ctest.junit.xml"
    ctest --preset "$preset" "${ctest_options[@]}" --output-junit "$root/$junit" || status=1
    junit_files+=("$junit")
done

# The release, built twice from two copies of the checkout, the same byte
# for byte; then its zip as a user unpacks it, its veilmark.exe run end to
# end in a fresh prefix (where 32-bit programs run). Each counted as a test.
echo "== release =="
phase "release check"
reports=build/release-check/reports
mkdir -p "$reports"
junit="$reports/ctest.junit.xml"
echo "<testsuite>" >"$junit"
record() {  # NAME OUTCOME: run, fail or skipped
    case $2 in
        run) echo "<testcase name=\"$1\" status=\"run\"/>" ;;
        skipped) echo "<testcase name=\"$1\" status=\"skipped\"><skipped/></testcase>" ;;
        *) echo "<testcase name=\"$1\" status=\"fail\"><failure message=\"see $reports\"/></testcase>"; status=1 ;;
    esac >>"$junit"
}
if tools/check_release.sh build/release-check/dist | tee "$reports/check_release.log"; then
    record release_reproducible run
    zip=$(ls build/release-check/dist/*.zip)
    tools/check_release_zip.sh "$zip" build/win32/tests-build/tests/veilmark_e2e.exe \
        --gtest_output=xml:Z:"$root/$reports/release_zip.xml" | tee "$reports/release_zip.log"
    case ${PIPESTATUS[0]} in
        0) record release_zip run ;;
        77) record release_zip skipped ;;
        *) record release_zip fail ;;
    esac
else
    record release_reproducible fail
fi
echo "</testsuite>" >>"$junit"
junit_files+=("$junit")

phase

echo "== time by phase =="
printf '%s\n' "${timings[@]}"
python3 tools/test_summary.py "${junit_files[@]}" || status=1
exit $status
