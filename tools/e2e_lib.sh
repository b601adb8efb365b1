# Sourced by the end-to-end scripts: veilmark.exe in a private Wine prefix
# whose registry the script prepares with reg.exe, driven and read from
# outside by tree_probe.exe inside a Wine desktop window.
#
# e2e_begin BUILD_DIR ARCH [VEILMARK_EXE [TREE_PROBE_EXE]] sets build, arch,
# program, probe, prefix and loader, prepares the prefix and arranges the
# cleanup; it exits 77 (skipped) where this machine cannot run the prefix's
# programs. The display is VEILMARK_TEST_DISPLAY, else a private Xvfb.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/wine_env.sh"
source "$here/xvfb.sh"

e2e_desktop=veilmark

e2e_begin() {
    if [ $# -lt 2 ]; then
        echo "usage: $0 BUILD_DIR win32|win64 [VEILMARK_EXE [TREE_PROBE_EXE]]" >&2
        exit 1
    fi
    build=$(cd "$1" && pwd)
    arch=$2
    program=${3:-$build/veilmark.exe}
    probe=${4:-$build/tests-build/tests/tree_probe.exe}

    skip_unless_runnable "$arch"
    local file
    for file in "$program" "$probe"; do
        if [ ! -f "$file" ]; then
            echo "missing: $file (build it first)" >&2
            exit 1
        fi
    done

    prefix=$build/e2e-prefix
    prepare_prefix "$prefix" "$arch"
    loader=$(wine_loader "$arch")
    trap e2e_cleanup EXIT
    # Nothing left over from an earlier run may hold the prefix's registry.
    WINEPREFIX=$prefix wineserver -k 2>/dev/null || true

    choose_test_display
}

e2e_cleanup() {
    WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
    stop_private_xvfb
}

# ---- The registry ----------------------------------------------------------
# reg.exe creates missing keys; veilmark.exe never does. In a 64-bit prefix
# the 64-bit reg.exe works on the 64-bit view, the one the 64-bit program uses.

reg_set() {  # KEY VALUE TYPE DATA
    WINEPREFIX=$prefix "$loader" reg add "$1" /v "$2" /t "$3" /d "$4" /f >/dev/null
}
reg_set_default() {  # KEY DATA
    WINEPREFIX=$prefix "$loader" reg add "$1" /ve /t REG_SZ /d "$2" /f >/dev/null
}
reg_remove() {  # KEY VALUE; a value that is not there is fine
    WINEPREFIX=$prefix "$loader" reg delete "$1" /v "$2" /f >/dev/null 2>&1 || true
}
reg_remove_key() {  # KEY; a key that is not there is fine
    WINEPREFIX=$prefix "$loader" reg delete "$1" /f >/dev/null 2>&1 || true
}
# Prints "TYPE DATA" of a value as reg.exe shows it, or "missing".
reg_show() {  # KEY VALUE
    local output
    if ! output=$(WINEPREFIX=$prefix "$loader" reg query "$1" /v "$2" 2>/dev/null); then
        echo missing
        return
    fi
    awk -v name="$2" 'tolower($1) == tolower(name) { $1 = ""; sub(/^ +/, ""); print; found = 1 }
                      END { if (!found) print "missing" }' <<<"${output//$'\r'/}"
}

# ---- The program -----------------------------------------------------------

# Starts veilmark.exe inside a Wine desktop window, so the dialog has its
# caption and frame without a window manager.
e2e_start_program() {
    DISPLAY=$display WINEPREFIX=$prefix "$loader" explorer /desktop="$e2e_desktop,800x600" "$program" \
        >/dev/null 2>&1 &
    program_pid=$!
}

e2e_stop_program() {
    WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
    wait "$program_pid" 2>/dev/null || true
}

# Runs tree_probe.exe on the program's desktop with the given arguments.
e2e_probe() {
    DISPLAY=$display WINEPREFIX=$prefix timeout 120 "$loader" "$probe" --desktop "$e2e_desktop" "$@"
}

e2e_screenshot() {  # FILE
    sleep 1  # let the dialog finish painting
    DISPLAY=$display import -window root "$1" || echo "The screenshot could not be taken." >&2
    echo "Screenshot: $1"
}

# Compares the images of a probe's output with the expected rows, whose
# first two words are the image and a name for the item; prints a diff
# naming the items that differ. Succeeds when all match.
e2e_compare_images() {  # EXPECTED_ROWS PROBE_OUTPUT WHAT
    local expected actual
    expected=$(awk 'NF { print $1, $2 }' <<<"$1")
    # Each probe line takes the name of the row at its place.
    actual=$(awk 'NR == FNR { if (NF) key[++n] = $2; next }
                  { print $1, (FNR in key ? key[FNR] : "(extra item)") }' \
                 <(printf '%s\n' "$1") <(printf '%s\n' "$2"))
    if [ "$expected" = "$actual" ]; then
        echo "PASSED: $3: all $(wc -l <<<"$expected") items show the expected images"
        return 0
    fi
    echo "FAILED: $3: the option tree's images differ (- expected, + shown)"
    diff -u --label expected --label shown <(printf '%s\n' "$expected") <(printf '%s\n' "$actual") || true
    echo "The tree as shown (image depth label):"
    printf '%s\n' "$2"
    return 1
}
