#!/usr/bin/env bash
# Checks a compiled help file against its sources: it is marked Traditional
# Chinese (language 0x0404), and it holds the contents, the index and every
# page and style sheet of help/pages.
# Usage: check_help_file.sh Veilmark.chm HELP_SOURCE_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
chm=$1 sources=$2

listing=$(python3 "$here/chm_list.py" "$chm")
problems=0
if [ "$(head -n 1 <<<"$listing")" != "language 0x0404" ]; then
    echo "$chm: $(head -n 1 <<<"$listing"), not language 0x0404"
    problems=$((problems + 1))
fi
expected=(/contents.hhc /index.hhk)
for page in "$sources"/pages/*; do
    expected+=("/pages/${page##*/}")
done
for file in "${expected[@]}"; do
    if ! grep -qxF "$file" <<<"$listing"; then
        echo "$chm lacks $file"
        problems=$((problems + 1))
    fi
done
[ "$problems" -eq 0 ] || exit 1
echo "help file ok: ${#expected[@]} files, language 0x0404"
