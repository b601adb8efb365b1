#!/usr/bin/env bash
# Builds the release twice, from two copies of this checkout in folders of
# different names, one after the other, and compares the two byte for byte.
# Names the first file that differs (inside the zip, the first member).
# Usage: tools/check_release.sh [KEEP]   (KEEP: a folder where the release is
#        kept when both builds are the same)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
epoch=$(git log -1 --format=%ct)
first=$(mktemp -d "${TMPDIR:-/tmp}/veilmark-release-first.XXXXXX")
second=$(mktemp -d "${TMPDIR:-/tmp}/veilmark-release-second-copy.XXXXXX")

for copy in "$first" "$second"; do
    git ls-files -co --exclude-standard -z | tar --null -T - -cf - | tar -C "$copy" -xf -
    (cd "$copy" && SOURCE_DATE_EPOCH=$epoch VEILMARK_DIST="$copy/dist" tools/release.sh >"$copy/release.log" 2>&1) || {
        tail -20 "$copy/release.log"
        echo "FAILED: the release did not build in $copy"
        exit 1
    }
    sleep 2
done

status=0
# The archives first: the sums of them follow from them.
for file in $(cd "$first/dist" && ls | grep -v '^SHA256SUMS$') SHA256SUMS; do
    if ! cmp -s "$first/dist/$file" "$second/dist/$file"; then
        echo "FAILED: $file differs between the two builds"
        if [[ $file == *.zip ]]; then
            python3 - "$first/dist/$file" "$second/dist/$file" <<'PYTHON'
import sys, zipfile
a, b = (zipfile.ZipFile(path) for path in sys.argv[1:3])
for name in a.namelist():
    if name not in b.namelist() or a.read(name) != b.read(name):
        print(f"  first differing member: {name}")
        break
PYTHON
        fi
        status=1
        break
    fi
done
[ "$(cd "$first/dist" && ls)" = "$(cd "$second/dist" && ls)" ] || { echo "FAILED: the two builds made different files"; status=1; }
if [ $status -eq 0 ]; then
    echo "PASSED: both builds are the same byte for byte:"
    cat "$first/dist/SHA256SUMS"
    if [ -n "${1:-}" ]; then
        rm -rf "$1" && mkdir -p "$(dirname "$1")" && cp -R "$first/dist" "$1"
    fi
    rm -rf "$first" "$second"
else
    echo "The two builds are kept in $first and $second."
fi
exit $status
