#!/usr/bin/env bash
# Renders pages of a compiled help file in a browser, for a person to look
# at: Debian's Wine has no HTML engine, so its help viewer leaves the page
# pane empty. Extracts the file with 7z and takes a headless Chromium
# screenshot of each page named (default: the start page and two options).
# Needs the packages p7zip-full and chromium (not needed by the tests).
# Usage: help_screenshots.sh Veilmark.chm OUT_DIR [PAGE...]
set -euo pipefail
chm=$(realpath "$1") out=$(mkdir -p "$2" && cd "$2" && pwd)
shift 2
pages=("$@")
[ ${#pages[@]} -gt 0 ] || pages=(index NoInternetTimeSync DisableAutoUpdateService)
for tool in 7z chromium; do
    command -v "$tool" >/dev/null || { echo "$tool is missing (apt packages p7zip-full, chromium)" >&2; exit 1; }
done
extracted=$(mktemp -d)
trap 'rm -rf "$extracted"' EXIT
7z x -y -o"$extracted" "$chm" >/dev/null
for page in "${pages[@]}"; do
    chromium --headless --no-sandbox --disable-gpu --hide-scrollbars --window-size=760,1000 \
        --screenshot="$out/$page.png" "file://$extracted/pages/$page.html" >/dev/null 2>&1
    echo "$out/$page.png"
done
