#!/usr/bin/env bash
# Runs a Windows program under Wine in a private prefix, headless.
# Usage: wine_exec.sh PREFIX ARCH PROGRAM [ARGS...]   (ARCH: win32 or win64)
# Uses the display in VEILMARK_TEST_DISPLAY, else a private Xvfb of its own.
# Exits 77 (skipped) where this machine cannot run the prefix's programs.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine_env.sh"

prefix=$1 arch=$2
shift 2
skip_unless_runnable "$arch"
prepare_prefix "$prefix" "$arch" unmanaged
loader=$(wine_loader "$arch")
if [ -n "${VEILMARK_TEST_DISPLAY:-}" ]; then
    DISPLAY=$VEILMARK_TEST_DISPLAY WINEPREFIX=$prefix timeout 600 "$loader" "$@"
else
    WINEPREFIX=$prefix timeout 600 xvfb-run -a -s "-screen 0 1024x768x24" "$loader" "$@"
fi
