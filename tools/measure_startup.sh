#!/usr/bin/env bash
# Measures how long veilmark.exe takes under Wine from process start to its
# dialog shown and waiting for input (the option tree is built and the status
# check done before the dialog shows), against two baselines of the same
# build: minimal_dialog.exe, a small dialog and nothing else (the floor of any
# dialog program), and tree_dialog.exe, a dialog with what Veilmark's main
# window needs (common controls 6.0, menu, tree view with pictures and 25
# Chinese labels, buttons) and none of its logic (the floor of a program with
# Veilmark's window). Prints the medians and ends with the ratio against the
# tree-view baseline. A measurement, not a test.
#
# Usage: measure_startup.sh [BUILD_DIR [RUNS]]
#   BUILD_DIR is a configured win32 or win64 build; without it the build of
#   tools/run.sh (win32 where this machine runs 32-bit programs, else win64).
#   RUNS timed runs per program (default 10), after one warm-up round; the
#   programs are started in turn, so a change of load hits all alike.
# Uses the display in VEILMARK_TEST_DISPLAY, else a private Xvfb of its own.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/tools/wine_env.sh"
source "$root/tools/xvfb.sh"

if [ $# -ge 1 ]; then
    build=$(cd "$1" && pwd)
else
    preset=win32
    can_run_32bit || preset=win64
    (cd "$root" && cmake --preset "$preset" >/dev/null)
    build=$root/build/$preset
fi
runs=${2:-10}

toolchain=$(sed -n 's/^CMAKE_TOOLCHAIN_FILE:[A-Z]*=//p' "$build/CMakeCache.txt" 2>/dev/null || true)
case ${toolchain##*/} in
    mingw-i686-*) arch=win32 ;;
    mingw-x86_64-*) arch=win64 ;;
    *)
        echo "$build is not a configured win32 or win64 build." >&2
        exit 1 ;;
esac
if [ "$arch" = win32 ] && ! can_run_32bit; then
    echo "This machine's kernel cannot run 32-bit programs: measure a win64 build." >&2
    exit 1
fi
cmake --build "$build" --target veilmark minimal_dialog tree_dialog startup_timer >/dev/null

prefix=$build/startup-prefix
prepare_prefix "$prefix" "$arch"
loader=$(wine_loader "$arch")

cleanup() {
    WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
    stop_private_xvfb
}
trap cleanup EXIT
choose_test_display

# One Wine server for all runs, started before them: its start-up, and that
# of the prefix's own processes (which the warm-up round pays for), stay out
# of the figures.
WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
WINEPREFIX=$prefix wineserver -p

windows_path() {  # the Unix path as Wine's Z: drive shows it
    local path=$1
    printf 'Z:%s' "${path//\//\\}"
}

echo "Start-up under Wine ($arch, $build): process start to dialog shown and idle"
if ! report=$(DISPLAY=$display WINEPREFIX=$prefix timeout 900 "$loader" "$build/startup_timer.exe" \
                  --warmup 1 "$runs" "$(windows_path "$build/minimal_dialog.exe")" \
                  "$(windows_path "$build/tree_dialog.exe")" "$(windows_path "$build/veilmark.exe")"); then
    tr -d '\r' <<<"$report" >&2
    echo "The measurement failed." >&2
    exit 1
fi
report=$(tr -d '\r' <<<"$report")
echo "$report"
read -r minimal tree veilmark < <(awk '$1 == "median" { print $2, $3, $4 }' <<<"$report")
awk -v minimal="$minimal" -v tree="$tree" -v own="$veilmark" -v runs="$runs" 'BEGIN {
    printf "Medians of %d runs: minimal_dialog.exe %.1f ms, tree_dialog.exe %.1f ms, veilmark.exe %.1f ms\n",
           runs, minimal, tree, own
    printf "Ratio against the minimal dialog: %.2f (%+.1f ms)\n", own / minimal, own - minimal
    printf "Veilmark'"'"'s own start-up work, beyond the tree-view baseline: %+.1f ms\n", own - tree
    printf "Ratio against the tree-view baseline: %.2f\n", own / tree
}'
