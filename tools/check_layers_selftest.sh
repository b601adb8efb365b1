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
    (cd "$root" && git ls-files -z -- ':!tests' ':!help' | xargs -0 cp --parents -t "$scratch/tree")
}

failures=0
fresh_copy
if ! "$here/check_layers.sh" "$scratch/tree" >/dev/null; then
    echo "FAILED: the unchanged tree does not pass"
    failures=$((failures + 1))
fi

# FILE|LINE TO PLANT|what the planted line does
plants=(
    'settings/planted.cpp|#include "../app/main_dlg.h"|settings/ reaching app/ past its folder'
    'platform/memory/planted.h|  #  include "../win32/win32.h"|the in-memory platform reaching the Win32 one, spaced out'
    'treeopts/planted.cpp|#include "/usr/include/stdio.h"|an include from the machine'\''s root'
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
