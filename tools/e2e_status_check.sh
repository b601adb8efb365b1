#!/usr/bin/env bash
# End-to-end check of the status check: puts the registry of a private Wine
# prefix into a known state, starts veilmark.exe there, reads its option tree
# from outside with tree_probe.exe and compares every item's image with the
# image that state calls for. Saves a screenshot of the running dialog.
#
# Usage: e2e_status_check.sh BUILD_DIR ARCH [VEILMARK_EXE [TREE_PROBE_EXE]]
#   ARCH is win32 or win64; the programs default to BUILD_DIR/veilmark.exe and
#   BUILD_DIR/tests-build/tests/tree_probe.exe.
# Uses the display in VEILMARK_TEST_DISPLAY, else a private Xvfb of its own.
# Exits 0 when all images match, 1 otherwise, 77 (skipped) where this machine
# cannot run the prefix's programs.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine_env.sh"
source "$here/xvfb.sh"

if [ $# -lt 2 ]; then
    echo "usage: $0 BUILD_DIR win32|win64 [VEILMARK_EXE [TREE_PROBE_EXE]]" >&2
    exit 1
fi
build=$(cd "$1" && pwd)
arch=$2
program=${3:-$build/veilmark.exe}
probe=${4:-$build/tests-build/tests/tree_probe.exe}

if [ "$arch" = win32 ] && ! can_run_32bit; then
    echo "skipped: this machine's kernel cannot run 32-bit programs, so 32-bit Wine cannot start"
    exit 77
fi
for file in "$program" "$probe"; do
    if [ ! -f "$file" ]; then
        echo "missing: $file (build it first)" >&2
        exit 1
    fi
done

prefix=$build/e2e-prefix
probe_output=$build/e2e-status-probe.txt
shot=$build/e2e-status-screenshot.png
desktop=veilmark
prepare_prefix "$prefix" "$arch"
loader=$(wine_loader "$arch")

cleanup() {
    WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
    stop_private_xvfb
}
trap cleanup EXIT
# Nothing left over from an earlier run may hold the prefix's registry.
WINEPREFIX=$prefix wineserver -k 2>/dev/null || true

# ---- The registry state --------------------------------------------------
# reg.exe creates missing keys; veilmark.exe never does. In a 64-bit prefix
# the 64-bit reg.exe writes the 64-bit view, the one the 64-bit program reads.
reg_set() {  # KEY VALUE TYPE DATA
    WINEPREFIX=$prefix "$loader" reg add "$1" /v "$2" /t "$3" /d "$4" /f >/dev/null
}
reg_set_default() {  # KEY DATA
    WINEPREFIX=$prefix "$loader" reg add "$1" /ve /t REG_SZ /d "$2" /f >/dev/null
}
reg_remove() {  # KEY VALUE; a value that is not there is fine
    WINEPREFIX=$prefix "$loader" reg delete "$1" /v "$2" /f >/dev/null 2>&1 || true
}

player='HKCU\Software\Microsoft\MediaPlayer\Preferences'
reporting='HKLM\SOFTWARE\Microsoft\PCHealth\ErrorReporting'
services='HKLM\SYSTEM\CurrentControlSet\Services'

echo "Preparing the registry of $prefix..."
reg_set "$player" SilentAcquisition REG_BINARY 00
reg_set "$player" SendUserGUID REG_BINARY 01
reg_remove "$player" UpgradeCodecPrompt
reg_set "$reporting" DoReport REG_DWORD 0
reg_set "$reporting" ShowUI REG_DWORD 1
reg_set 'HKLM\SYSTEM\CurrentControlSet\Control\Terminal Server' fAllowToGetHelp REG_DWORD 1
reg_set "$services\\W32Time\\Parameters" Type REG_SZ nosync
reg_set 'HKLM\SOFTWARE\Microsoft\Internet Explorer\Extensions\{c95fe080-8f5d-11d2-a20b-00aa003c157a}' \
    Script REG_SZ 'res://shdoclvw.dll/related.htm'
reg_set 'HKCU\Software\Microsoft\Internet Explorer\Main' NoUpdateCheck REG_DWORD 0
reg_set 'HKCU\Software\Microsoft\Windows\CurrentVersion\Webcheck' NoScheduledUpdates REG_DWORD 1
reg_set 'HKCU\Software\Microsoft\Windows\CurrentVersion\Internet Settings' EnableNegotiate REG_DWORD 0
reg_set "$services\\ERSvc" Start REG_DWORD 4
reg_set "$services\\wuauserv" Start REG_DWORD 2
reg_remove "$services\\W32Time" Start
reg_set "$services\\Schedule" Start REG_DWORD 4
reg_remove 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' MSMSGS
reg_set_default 'HKCR\CLSID\{B69003B3-C55E-4b48-836C-BC5946FC3B28}\LocalServer32' \
    'C:\Program Files\Messenger\msmsgs.exe'

# ---- The images that state calls for, in tree order ---------------------
# A check item whose setting is already in effect is done (5); one whose value
# differs or is missing stays ticked for switching off (12). The two expert
# items start locked (4); the radios start as "no action" chosen (3).
expected_rows='
9  MediaPlayerGroup
5  NoLicenceAcquisition          SilentAcquisition = 00
12 NoPlayerIdentification        SendUserGUID = 01
12 NoCodecDownload               UpgradeCodecPrompt missing
9  ErrorReportingGroup
5  NoErrorReporting              DoReport = 0
12 NoCriticalErrorReporting      ShowUI = 1
9  MiscGroup
12 NoRemoteAssistance            fAllowToGetHelp = 1
12 NoInternetTimeSync            Type = "nosync", not "NoSync"
1  RemoveSupportUsers            not looked up
4  RemoveAlexaEntry              Script present: stays locked
9  InternetExplorerGroup
12 NoIeUpdateCheck               NoUpdateCheck = 0
5  NoIeScheduledUpdates          NoScheduledUpdates = 1
5  NoIntegratedAuth              EnableNegotiate = 0
9  ServicesGroup
5  DisableErrorReportingService  ERSvc Start = 4
12 DisableAutoUpdateService      wuauserv Start = 2
12 DisableTimeService            W32Time Start missing
5  DisableTaskSchedulerService   Schedule Start = 4: unlocked, done
9  MessengerGroup
3  MessengerNoAction             chosen
5  MessengerNoAutostart          Run MSMSGS missing
2  MessengerUninstall            LocalServer32 present
'

# ---- Run veilmark.exe and read its tree ---------------------------------
if [ -n "${VEILMARK_TEST_DISPLAY:-}" ]; then
    display=$VEILMARK_TEST_DISPLAY
else
    start_private_xvfb
    display=$PRIVATE_DISPLAY
fi

# Inside a Wine desktop window, so the dialog has its caption and frame
# without a window manager; the probe looks for it on that desktop.
DISPLAY=$display WINEPREFIX=$prefix "$loader" explorer /desktop="$desktop,800x600" "$program" \
    >/dev/null 2>&1 &
veilmark_pid=$!
probe_status=0
DISPLAY=$display WINEPREFIX=$prefix timeout 60 "$loader" "$probe" --desktop "$desktop" --wait 20 \
    >"$probe_output" || probe_status=$?
sleep 1  # let the dialog finish painting
DISPLAY=$display import -window root "$shot" || echo "The screenshot could not be taken." >&2
WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
wait "$veilmark_pid" || true
echo "Screenshot: $shot"

if [ "$probe_status" -ne 0 ]; then
    echo "FAILED: tree_probe.exe could not read the option tree (exit $probe_status)"
    exit 1
fi

# ---- Compare -------------------------------------------------------------
expected=$(awk 'NF { print $1, $2 }' <<<"$expected_rows")
# Each probe line takes the key of the row at its place, so a diff names the
# items whose images differ.
actual=$(awk 'NR == FNR { if (NF) key[++n] = $2; next }
              { print $1, (FNR in key ? key[FNR] : "(extra item)") }' \
             <(printf '%s\n' "$expected_rows") "$probe_output")
if [ "$expected" = "$actual" ]; then
    echo "PASSED: all $(wc -l <<<"$expected") items show the images the registry calls for"
    exit 0
fi
echo "FAILED: the option tree's images differ from the registry's state (- expected, + shown)"
diff -u --label expected --label shown <(printf '%s\n' "$expected") <(printf '%s\n' "$actual") || true
echo "The tree as shown (image depth label):"
paste -d '|' <(awk 'NF { printf "%-30s\n", $2 }' <<<"$expected_rows") "$probe_output" | sed 's/|/  /'
exit 1
