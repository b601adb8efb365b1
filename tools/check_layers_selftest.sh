#!/usr/bin/env bash
# Self-test of check_layers.sh: on a copy of the source tree it must pass,
# and each include planted below must make it fail, naming the file.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fresh_copy() {
    rm -rf "$scratch/tree"
    mkdir -p "$scratch/tree"
    local folder
    for folder in platform treeopts settings actions app cli host res; do
        [ -d "$root/$folder" ] && cp -r "$root/$folder" "$scratch/tree/"
    done
    return 0
}

failures=0
fresh_copy
if ! "$here/check_layers.sh" "$scratch/tree" >/dev/null; then
    echo "FAILED: the unchanged tree does not pass"
    failures=$((failures + 1))
fi

# FILE|LINE TO PLANT|what the planted line does
plants=(
    'treeopts/planted.h|#include "settings/catalogue.h"|treeopts/ including from settings/'
    'settings/planted.cpp|#include "app/main_dlg.h"|settings/ including from app/'
    'app/planted.cpp|  #  include "host/main_dialog_window.h"|app/ including from host/, spaced out'
    'cli/planted.cpp|#include "app/main_dlg.h"|cli/ including from app/, which stands beside it'
    'app/planted2.cpp|#include "cli/report.h"|app/ including from cli/, which stands beside it'
    'platform/planted.h|#include "treeopts/state_image.h"|a port including from treeopts/'
    'platform/memory/planted.h|#include "platform/win32/win32.h"|the in-memory platform including the Win32 one'
    'platform/types.h|#include "platform/memory/memory_shell.h"|a port including an implementation'
    'settings/planted2.cpp|#include <windows.h>|a portable folder including <windows.h>'
)
for plant in "${plants[@]}"; do
    IFS='|' read -r file line what <<<"$plant"
    fresh_copy
    printf '%s\n' "$line" >>"$scratch/tree/$file"
    if output=$("$here/check_layers.sh" "$scratch/tree"); then
        echo "FAILED: not caught: $what"
        failures=$((failures + 1))
    elif ! grep -q "^$file:" <<<"$output"; then
        echo "FAILED: $what was caught, but the report does not name $file:"
        printf '%s\n' "$output"
        failures=$((failures + 1))
    else
        echo "PASSED: caught $what"
    fi
done

[ "$failures" -eq 0 ] || exit 1
echo "PASSED: every planted include was caught"
