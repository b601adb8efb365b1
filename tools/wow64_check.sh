#!/usr/bin/env bash
# Checks the i686 build under WOW64: in a 64-bit prefix, runs the registry
# tests of the i686 Windows test program, whose Wow64View test leaves a
# marker below HKLM\SOFTWARE; then the 64-bit reg.exe must find that marker
# in the 64-bit view, the one the system reads, and not in the 32-bit copy.
# Removes the marker afterwards.
# Usage: wow64_check.sh PREFIX TEST_PROGRAM   (PREFIX: a 64-bit prefix of its own)
# Exits 77 (skipped) where this machine cannot run 32-bit programs.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine_env.sh"
skip_unless_runnable win32

if [[ $# -ne 2 || ! -f $2 ]]; then
    echo "usage: $0 PREFIX TEST_PROGRAM" >&2
    exit 2
fi
prefix=$1 program=$2

key='HKLM\SOFTWARE\VeilmarkWow64Check'
marker='written by the 32-bit build'
# The 64-bit reg.exe, asked for the 64-bit view (or, with /reg:32, the 32-bit one).
reg64() { WINEPREFIX=$prefix /usr/lib/wine/wine64 reg "$@"; }
remove_marker() {
    reg64 delete "$key" /f /reg:64 >/dev/null 2>&1 || true
    reg64 delete "$key" /f /reg:32 >/dev/null 2>&1 || true
}

prepare_prefix "$prefix" win64
log=$(mktemp)
trap 'remove_marker; rm -f "$log"' EXIT
# A marker from an earlier run must not stand in for this one's.
remove_marker

status=0
VEILMARK_KEEP_WOW64_MARKER=1 "$here/wine_exec.sh" "$prefix" win64 "$program" \
    '--gtest_filter=Wow64View.*:Win32/RegistryContract/*:Win32RegistryTest.*' | tee "$log" || status=$?
if [ "$status" -ne 0 ]; then
    echo "FAILED: the registry tests failed under WOW64 (exit status $status)"
    exit "$status"
fi
if ! grep -q '^\[       OK \] Wow64View\.' "$log"; then
    echo "FAILED: the Wow64View test did not run; is the program running under WOW64?"
    exit 1
fi

found=$(reg64 query "$key" /v Marker /reg:64 2>&1) || {
    echo "FAILED: no marker in the 64-bit view of $key"
    exit 1
}
if ! grep -q "REG_SZ *$marker" <<<"$found"; then
    echo "FAILED: unexpected marker in the 64-bit view:"
    echo "$found"
    exit 1
fi
if reg64 query "$key" /reg:32 >/dev/null 2>&1; then
    echo "FAILED: $key exists in the 32-bit view too"
    exit 1
fi
echo "wow64 ok: the marker the 32-bit program wrote is in the 64-bit view"
