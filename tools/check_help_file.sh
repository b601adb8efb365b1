#!/usr/bin/env bash
# Checks compiled help files against their sources: each is marked with its
# language and holds the contents, the index and every page and style sheet
# of its sources' pages folder.
# Usage: check_help_file.sh FILE.chm HELP_SOURCE_DIR LANGUAGE [FILE.chm DIR LANGUAGE ...]
#   LANGUAGE as the file gives it: 0x0404, 0x0409, 0x0407
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
problems=0
while [ $# -ge 3 ]; do
    chm=$1 sources=$2 language=$3
    shift 3
    listing=$(python3 "$here/chm_list.py" "$chm")
    if [ "$(head -n 1 <<<"$listing")" != "language $language" ]; then
        echo "$chm: $(head -n 1 <<<"$listing"), not language $language"
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
    echo "$chm: ${#expected[@]} files, language $language"
done
[ "$problems" -eq 0 ] || exit 1
echo "help files ok"
