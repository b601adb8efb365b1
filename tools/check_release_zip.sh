#!/usr/bin/env bash
# The Windows download as a user gets it: the zip unpacked into a folder of
# its own and run in a fresh Wine prefix, in the locale of the program's
# first language (lang/languages.inc: Traditional Chinese).
# The end-to-end tests of the start-up, of the help command (the help file
# beside the program opens in the viewer) and of /status run on the zip's
# veilmark.exe. Exits 77 (skipped) where this machine cannot run 32-bit
# programs, as the zip holds the i686 build alone.
# Usage: tools/check_release_zip.sh ZIP E2E_PROGRAM [GTEST_OPTIONS]
#   E2E_PROGRAM: the i686 veilmark_e2e.exe
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine_env.sh"
zip=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
e2e=$2
shift 2
skip_unless_runnable win32

folder=$(mktemp -d "${TMPDIR:-/tmp}/veilmark-zip.XXXXXX")
trap 'WINEPREFIX="$folder/prefix" wineserver -k 2>/dev/null; WINEPREFIX="$folder/prefix" wineserver -w 2>/dev/null; rm -rf "$folder"' EXIT
python3 -m zipfile -e "$zip" "$folder"
program=$(ls "$folder"/*/veilmark.exe)
locale=$(sed -n 's/^LANGUAGE_ROW(.*"\([a-z][a-z]_[A-Z][A-Z]\)")$/\1.UTF-8/p' "$here/../lang/languages.inc" | head -n 1)
LANG=$locale LC_ALL=$locale "$here/wine_exec.sh" "$folder/prefix" win32 "$e2e" \
    --gtest_filter='*MainWindowComesUp*:*HelpViewerOpens*:*AShutKeyIsUnknownToStatus*' "$@" "--veilmark-exe=$program"
