#!/usr/bin/env bash
# Builds Veilmark and runs it under Wine in a private Windows XP prefix. On the
# user's display when there is one; otherwise on a private Xvfb, where it saves
# a screenshot of the dialog, says where, and ends the program.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

tools/setup.sh
source tools/wine_env.sh
source tools/xvfb.sh

# The Windows XP build where this machine can run 32-bit programs.
preset=win32
can_run_32bit || preset=win64
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target veilmark >/dev/null

prefix="$root/build/$preset/run-prefix"
prepare_prefix "$prefix" "$preset"
loader=$(wine_loader "$preset")
program="$root/build/$preset/veilmark.exe"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    exec env WINEPREFIX="$prefix" "$loader" "$program"
fi

echo "No display: running on a private Xvfb and taking a screenshot." >&2
start_private_xvfb
trap 'WINEPREFIX="$prefix" wineserver -k 2>/dev/null; stop_private_xvfb' EXIT
export DISPLAY=$PRIVATE_DISPLAY
# Inside a Wine desktop window, so the dialog gets its caption and frame
# without a window manager.
WINEPREFIX="$prefix" "$loader" explorer /desktop=veilmark,800x600 "$program" &
timeout 30 xdotool search --sync --onlyvisible --name "Wine desktop" >/dev/null \
    || echo "The Wine desktop did not appear within 30 seconds." >&2
sleep 3  # let Veilmark start and paint its dialog
shot="$root/build/$preset/veilmark-screenshot.png"
import -window root "$shot"
echo "Screenshot of the Veilmark dialog: $shot"
