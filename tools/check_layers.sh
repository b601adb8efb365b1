#!/usr/bin/env bash
# Checks that the program's folders are layers that point one way:
#
#                                                       app       host
#   platform  <-  treeopts  <-  settings  <-  actions  <-      <-
#                                                       cli       offline
#
# A file may include from its own folder and from the folders to its left,
# never from one to its right; app/ and cli/ stand side by side, and
# neither includes the other, as host/ (the Windows program) and offline/
# (the Linux one) do. Within platform/, the ports (platform/*.h) include
# only ports, and each family of implementations (in-memory, Win32, hive
# files, Linux) includes only ports and its own files. The portable folders
# (treeopts, settings, actions, app, cli) and offline/ include no Windows
# header and nothing of platform/win32/. res/ holds the resource ids and
# texts that every layer may include.
#
# Usage: check_layers.sh [ROOT]   (ROOT: the source tree, by default this one)
# Prints one line per include that breaks a rule, naming the file, the line
# and the rule; exits 1 when there is any, 0 otherwise.
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root"

declare -A rank portable
rank=([platform]=0 [treeopts]=1 [settings]=2 [actions]=3 [app]=4 [cli]=4 [host]=5 [offline]=5)
layers=("${!rank[@]}")
for folder in treeopts settings actions app cli offline; do portable[$folder]=1; done

# The part of platform/ a path lies in: port, memory, win32, hive or posix.
platform_part() {
    case $1 in
        platform/memory/*) part=memory ;;
        platform/win32/*) part=win32 ;;
        platform/hive/*) part=hive ;;
        platform/posix/*) part=posix ;;
        *) part=port ;;
    esac
}

failures=0
fail() {  # FILE LINE MESSAGE
    echo "$1:$2: $3"
    failures=$((failures + 1))
}

quoted='^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]+)"'
angled='^[[:space:]]*#[[:space:]]*include[[:space:]]*<([^>]+)>'
windows_headers='^(windows|commctrl|shellapi|winuser|winreg)\.h$'

mapfile -t files < <(find "${layers[@]}" -type f \( -name '*.h' -o -name '*.cpp' \) 2>/dev/null | sort)
while IFS=: read -r file line text; do
    folder=${file%%/*}
    if [[ $text =~ $quoted ]]; then
        target=${BASH_REMATCH[1]}
        target_folder=${target%%/*}
        [ "$target_folder" = res ] && continue
        if [ -z "${rank[$target_folder]:-}" ]; then
            # Includes relative to the file itself stay in its folder.
            [ "$target" = "${target#*/}" ] && continue
            fail "$file" "$line" "includes \"$target\", which is in no layer"
        elif [ "${rank[$target_folder]}" -gt "${rank[$folder]}" ]; then
            fail "$file" "$line" "includes \"$target\" from $target_folder/, a layer above $folder/"
        elif [ "${rank[$target_folder]}" -eq "${rank[$folder]}" ] && [ "$target_folder" != "$folder" ]; then
            fail "$file" "$line" "includes \"$target\" from $target_folder/, which stands beside $folder/"
        elif [ "$folder" = platform ] && [ "$target_folder" = platform ]; then
            platform_part "$file"; from=$part
            platform_part "$target"; to=$part
            if [ "$from" != "$to" ] && [ "$to" != port ]; then
                fail "$file" "$line" "includes \"$target\": the $from part of platform/ may include only ports and its own files"
            fi
        fi
        if [ -n "${portable[$folder]:-}" ] && [[ $target == platform/win32/* ]]; then
            fail "$file" "$line" "includes \"$target\": $folder/ is portable and may not use platform/win32/"
        fi
    elif [[ $text =~ $angled ]]; then
        header=${BASH_REMATCH[1]}
        if [ -n "${portable[$folder]:-}" ] && [[ ${header,,} =~ $windows_headers ]]; then
            fail "$file" "$line" "includes <$header>: $folder/ is portable and may not use Windows headers"
        fi
    fi
done < <([ ${#files[@]} -eq 0 ] || grep -Hn '#[[:space:]]*include' "${files[@]}" || true)

if [ "$failures" -ne 0 ]; then
    echo "FAILED: $failures includes break the layering"
    exit 1
fi
echo "PASSED: every include points to the file's own layer or one below it"
