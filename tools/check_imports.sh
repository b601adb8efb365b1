#!/usr/bin/env bash
# Usage: tools/check_imports.sh EXE
#
# Checks that a PE file will load on 32-bit Windows XP SP3: every import must
# come by name from a DLL that XP ships with, and no imported function may be
# one of the later-Windows functions in tools/xp_missing_imports.txt.
# Prints one line per problem and exits 1, or prints a summary and exits 0.
# Exit status 2 means the file could not be examined at all.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
missing_list=$here/xp_missing_imports.txt
allowed_dlls="kernel32 user32 gdi32 comctl32 advapi32 shell32 msvcrt"

if [[ $# -ne 1 || ! -f $1 ]]; then
    echo "usage: $0 EXE" >&2
    exit 2
fi
exe=$1

# The x86-64 objdump also reads 32-bit images, so it can tell the two apart;
# the image is then listed with the objdump that matches it.
format=$(x86_64-w64-mingw32-objdump -f "$exe" 2>/dev/null | sed -n 's/.*file format //p' || true)
case $format in
    pei-i386)   objdump=i686-w64-mingw32-objdump ;;
    pei-x86-64) objdump=x86_64-w64-mingw32-objdump ;;
    *) echo "$exe: not a PE image for x86 or x86-64 (format: ${format:-unknown})" >&2
       exit 2 ;;
esac
dump=$("$objdump" -p "$exe") || { echo "$exe: objdump could not read the image" >&2; exit 2; }

# Import entries follow a "DLL Name:" line and end at a blank line.  Each entry
# is "<tab>thunk<tab>hint-or-ordinal name"; objdump prints "<none>" in place
# of the name for an import by ordinal.
awk -v allowed="$allowed_dlls" '
    function problem(text) { print text; problems++ }
    BEGIN { n = split(allowed, a, " "); for (i = 1; i <= n; i++) ok[a[i]] = 1 }
    FILENAME == ARGV[1] {                        # the list of missing functions
        sub(/[ \t\r]+$/, "")
        if ($0 !~ /^(#|$)/) { split($0, p, "!"); missing[tolower(p[1]) "!" p[2]] = 1; listed++ }
        next
    }
    /^\tDLL Name: / {
        dll = $3; key = tolower(dll); sub(/\.dll$/, "", key); dlls++
        if (!(key in ok)) problem("DLL not allowed: " dll)
        next
    }
    /^$/ { dll = ""; next }
    /^Entry d / && ($3 $4) ~ /[1-9a-fA-F]/ {
        problem("delay-load imports present (not checked)")
    }
    dll != "" && /^\t[0-9a-fA-F]+\t/ {
        functions++
        if ($3 == "<none>") problem("imported by ordinal: " dll "!#" $2)
        else if ((key "!" $3) in missing) problem("missing on Windows XP SP3: " dll "!" $3)
    }
    END {
        if (!listed) { print ARGV[1] ": no functions listed" > "/dev/stderr"; exit 2 }
        if (problems) {
            printf "imports FAILED: %d problem(s)\n", problems > "/dev/stderr"
            exit 1
        }
        printf "imports ok: %d dlls, %d functions\n", dlls, functions
    }
' "$missing_list" - <<<"$dump"
