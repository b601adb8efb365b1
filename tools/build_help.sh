#!/usr/bin/env bash
# Compiles the help file from help/ with chmcmd (Debian's fp-utils).
# Usage: build_help.sh SOURCE_DIR OUTPUT.chm
#
# HTML Help keeps the title, the contents and the index as ANSI text in the
# code page of the file's language: the project, contents and index files
# are kept in UTF-8 and converted to code page 950 (Traditional Chinese,
# language 0x0404) here. The pages stay UTF-8 and say so themselves.
set -euo pipefail
source_dir=$(cd "$1" && pwd)
output=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cp -R "$source_dir/." "$work/"
for file in Veilmark.hhp contents.hhc index.hhk; do
    iconv -f UTF-8 -t CP950 "$source_dir/$file" >"$work/$file"
done
(cd "$work" && chmcmd --no-html-scan Veilmark.hhp >chmcmd.log 2>&1) || { cat "$work/chmcmd.log" >&2; exit 1; }
[ -s "$work/Veilmark.chm" ] || { cat "$work/chmcmd.log" >&2; echo "chmcmd wrote no Veilmark.chm" >&2; exit 1; }
cp "$work/Veilmark.chm" "$output.tmp"
mv "$output.tmp" "$output"
