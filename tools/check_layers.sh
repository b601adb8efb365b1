#!/usr/bin/env bash
# The build keeps the layers (cmake/layers.cmake): each layer's library sees
# only its own folders and those of the layers below it, so an include of a
# layer above or beside does not build. What the build cannot see is an
# include written relative to the including file ("../app/main_dlg.h", or
# from the root, "/..."): the compiler finds it beside the file before it
# looks at the layer's view. This check refuses those; every quoted include
# names a path below the source tree's root, or a file of its own folder.
#
# Usage: check_layers.sh [ROOT]   (ROOT: the source tree, by default this one)
# Prints one line per include that breaks the rule, naming the file and the
# line; exits 1 when there is any, 0 otherwise.
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root"

mapfile -t files < <(find . -path ./build -prune -o -path ./tests -prune -o -type f \
                          \( -name '*.h' -o -name '*.cpp' -o -name '*.inc' \) -print 2>/dev/null | sed 's|^\./||' | sort)
failures=$( ([ ${#files[@]} -eq 0 ] || grep -HnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"(/|[^"]*\.\./|\.\./)' "${files[@]}" || true) \
            | sed 's/:\([0-9]*\):.*/:\1: an include relative to the file itself, past its folder/')
if [ -n "$failures" ]; then
    printf '%s\n' "$failures"
    echo "FAILED: $(wc -l <<<"$failures") includes reach past their own folder"
    exit 1
fi
echo "PASSED: every include names a path from the source tree's root, or a file of its own folder"
