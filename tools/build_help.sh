#!/usr/bin/env bash
# Compiles one language's help file from help/LANG with chmcmd (Debian's
# fp-utils).
# Usage: build_help.sh SOURCE_DIR OUTPUT.chm CODE_PAGE
#
# HTML Help keeps the title, the contents and the index as ANSI text in the
# code page of the file's language: the project, contents and index files
# are kept in UTF-8 and converted to CODE_PAGE (CP950 for Traditional
# Chinese, CP1252 for English and German) here. The pages stay UTF-8 and
# say so themselves.
set -euo pipefail
source_dir=$(cd "$1" && pwd)
output=$2
code_page=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

project=$(cd "$source_dir" && ls *.hhp)
cp -R "$source_dir/." "$work/"
for file in "$project" contents.hhc index.hhk; do
    iconv -f UTF-8 -t "$code_page" "$source_dir/$file" >"$work/$file"
done
compiled=$(sed -n 's/^Compiled file=//p' "$source_dir/$project" | tr -d '\r')
# For a release the file must repeat itself. chmcmd stamps it with the
# time it runs, which it reads with its own system calls (a static Free
# Pascal program: no libfaketime), so strace answers them with
# SOURCE_DATE_EPOCH; and it writes some bytes it never set, whose values
# repeat only with the same addresses and stack: no address randomisation
# (setarch -R), an empty environment.
compile=(chmcmd --no-html-scan "$project")
if [ -n "${SOURCE_DATE_EPOCH:-}" ]; then
    timeval=$(printf '%016x0000000000000000' "$SOURCE_DATE_EPOCH" | sed 's/\(..\)\(..\)\(..\)\(..\)\(..\)\(..\)\(..\)\(..\)/\8\7\6\5\4\3\2\1/')
    compile=(env -i setarch -R "$(command -v strace)" -f -qq -o /dev/null
             --inject=time:retval="$SOURCE_DATE_EPOCH" --inject=gettimeofday:poke_exit=@arg1="$timeval"
             "$(command -v chmcmd)" --no-html-scan "$project")
fi
(cd "$work" && "${compile[@]}" >chmcmd.log 2>&1) || { cat "$work/chmcmd.log" >&2; exit 1; }
[ -s "$work/$compiled" ] || { cat "$work/chmcmd.log" >&2; echo "chmcmd wrote no $compiled" >&2; exit 1; }
cp "$work/$compiled" "$output.tmp"
mv "$output.tmp" "$output"
