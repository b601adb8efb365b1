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
source "$(cd "$(dirname "$0")" && pwd)/e2e_lib.sh"
e2e_begin "$@"
probe_output=$build/e2e-status-probe.txt
shot=$build/e2e-status-screenshot.png

# ---- The registry state --------------------------------------------------
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
e2e_start_program
probe_status=0
e2e_probe --wait 20 >"$probe_output" || probe_status=$?
e2e_screenshot "$shot"
e2e_stop_program

if [ "$probe_status" -ne 0 ]; then
    echo "FAILED: tree_probe.exe could not read the option tree (exit $probe_status)"
    exit 1
fi
e2e_compare_images "$expected_rows" "$(cat "$probe_output")" "status check"
