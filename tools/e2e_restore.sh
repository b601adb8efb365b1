#!/usr/bin/env bash
# End-to-end check of the commands of the Special menu that act on the
# settings as a whole. Puts the registry of a private Wine prefix into the
# switched-off state, starts veilmark.exe there and, through its menu:
#   - unlocks the expert options, then chooses the recommended selection,
#     reading the option tree back from the real control after each;
#   - asks for the restore of the Windows defaults and cancels: nothing is
#     written;
#   - restores: the fourteen values hold their defaults and the three Media
#     Player values are gone (read back with reg.exe);
#   - restores again with one key missing: the final box names what failed.
# Saves a screenshot of that last box.
#
# Usage: e2e_restore.sh BUILD_DIR ARCH [VEILMARK_EXE [TREE_PROBE_EXE]]
#   as e2e_status_check.sh. Exits 0 when everything matches, 1 otherwise,
#   77 (skipped) where this machine cannot run the prefix's programs.
set -euo pipefail
source "$(cd "$(dirname "$0")" && pwd)/e2e_lib.sh"
e2e_begin "$@"
shot=$build/e2e-restore-screenshot.png
failures=0

# ---- The registry: switched off, and the defaults a restore writes --------
player='HKCU\Software\Microsoft\MediaPlayer\Preferences'
reporting='HKLM\SOFTWARE\Microsoft\PCHealth\ErrorReporting'
services='HKLM\SYSTEM\CurrentControlSet\Services'
webcheck='HKCU\Software\Microsoft\Windows\CurrentVersion\Webcheck'

# KEY|VALUE|TYPE|switched-off data|as reg.exe shows it after the restore
values=(
    "$player|SilentAcquisition|REG_BINARY|00|missing"
    "$player|SendUserGUID|REG_BINARY|00|missing"
    "$player|UpgradeCodecPrompt|REG_BINARY|00|missing"
    "$reporting|DoReport|REG_DWORD|0|REG_DWORD 0x1"
    "$reporting|ShowUI|REG_DWORD|0|REG_DWORD 0x1"
    'HKLM\SYSTEM\CurrentControlSet\Control\Terminal Server|fAllowToGetHelp|REG_DWORD|0|REG_DWORD 0x1'
    "$webcheck|NoScheduledUpdates|REG_DWORD|1|REG_DWORD 0x0"
    'HKCU\Software\Microsoft\Internet Explorer\Main|NoUpdateCheck|REG_DWORD|1|REG_DWORD 0x0'
    "$services\\W32Time\\Parameters|Type|REG_SZ|NoSync|REG_SZ Ntp"
    'HKCU\Software\Microsoft\Windows\CurrentVersion\Internet Settings|EnableNegotiate|REG_DWORD|0|REG_DWORD 0x1'
    "$services\\ERSvc|Start|REG_DWORD|4|REG_DWORD 0x2"
    "$services\\wuauserv|Start|REG_DWORD|4|REG_DWORD 0x2"
    "$services\\W32Time|Start|REG_DWORD|4|REG_DWORD 0x2"
    "$services\\Schedule|Start|REG_DWORD|4|REG_DWORD 0x2"
)

# How reg.exe shows the switched-off data.
shown_off() {  # TYPE DATA
    if [ "$1" = REG_DWORD ]; then printf '%s 0x%x\n' "$1" "$2"; else printf '%s %s\n' "$1" "$2"; fi
}

# Compares every value with its switched-off (column off) or restored state.
check_values() {  # off|restored WHAT
    local row key name type data restored want got bad=0
    for row in "${values[@]}"; do
        IFS='|' read -r key name type data restored <<<"$row"
        if [ "$1" = off ]; then want=$(shown_off "$type" "$data"); else want=$restored; fi
        got=$(reg_show "$key" "$name")
        if [ "$got" != "$want" ]; then
            echo "  $key\\$name: expected \"$want\", found \"$got\""
            bad=1
        fi
    done
    report "$bad" "$2"
}

report() {  # STATUS WHAT
    if [ "$1" -eq 0 ]; then
        echo "PASSED: $2"
    else
        echo "FAILED: $2"
        failures=$((failures + 1))
    fi
}

echo "Preparing the registry of $prefix..."
for row in "${values[@]}"; do
    IFS='|' read -r key name type data restored <<<"$row"
    reg_set "$key" "$name" "$type" "$data"
done
reg_set 'HKLM\SOFTWARE\Microsoft\Internet Explorer\Extensions\{c95fe080-8f5d-11d2-a20b-00aa003c157a}' \
    Script REG_SZ 'res://shdoclvw.dll/related.htm'
reg_set 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' MSMSGS REG_SZ \
    '"C:\Program Files\Messenger\msmsgs.exe" /background'
reg_set_default 'HKCR\CLSID\{B69003B3-C55E-4b48-836C-BC5946FC3B28}\LocalServer32' \
    'C:\Program Files\Messenger\msmsgs.exe'
check_values off "the registry is prepared"

# ---- The trees, in tree order: image, then the item ----------------------
# After the first status check every option shows as switched off (5) but the
# Alexa entry, whose Script value is there (locked, 4); RemoveSupportUsers is
# never looked up (ticked, 1). All three Messenger radios stay enabled.
checked_tree='
9  MediaPlayerGroup
5  NoLicenceAcquisition
5  NoPlayerIdentification
5  NoCodecDownload
9  ErrorReportingGroup
5  NoErrorReporting
5  NoCriticalErrorReporting
9  MiscGroup
5  NoRemoteAssistance
5  NoInternetTimeSync
1  RemoveSupportUsers
4  RemoveAlexaEntry
9  InternetExplorerGroup
5  NoIeUpdateCheck
5  NoIeScheduledUpdates
5  NoIntegratedAuth
9  ServicesGroup
5  DisableErrorReportingService
5  DisableAutoUpdateService
5  DisableTimeService
5  DisableTaskSchedulerService
9  MessengerGroup
3  MessengerNoAction
2  MessengerNoAutostart
2  MessengerUninstall
'
# The expert command leaves both expert options enabled and unchecked (0).
expert_tree=$(awk '$2 == "RemoveAlexaEntry" || $2 == "DisableTaskSchedulerService" { $1 = 0 } { print }' \
    <<<"$checked_tree")
# The recommended selection is the tree as built: every check item ticked (1)
# but the two expert options, locked again (4).
recommended_tree=$(awk '$1 == 5 { $1 = 1 } $2 == "RemoveAlexaEntry" || $2 == "DisableTaskSchedulerService" { $1 = 4 } { print }' \
    <<<"$checked_tree")

# ---- The message boxes, as the probe prints them --------------------------
question='box: 恢復所有設定值表示，所有功能都會「恢復」為剛安裝完 Windows XP 時的初始狀態。\n這並不會影響 MS Messenger Alexa 與 MS 支援使用者，因此您必須手動將它們刪除。\n您要繼續嗎？'$(printf '%84s' '')
restored='box: 已恢復為初始設定值！        '
# The Webcheck key is missing in the last restore: its write cannot open it.
restored_but_webcheck="$restored\\n停用已排程的更新:[ 無法開啟登錄機碼 ]"

# Positions in the first menu, and the buttons of the boxes.
menu_reset=1
menu_recommended=2
menu_expert=3
IDOK=1
IDCANCEL=2

# Runs the probe with ARGS, checks the boxes it answered and the tree it read.
step() {  # WHAT EXPECTED_TREE EXPECTED_BOXES PROBE_ARGS...
    local what=$1 tree=$2 boxes=$3 output status=0
    shift 3
    output=$(e2e_probe --wait 20 "$@") || status=$?
    if [ "$status" -ne 0 ]; then
        echo "tree_probe.exe $* ended with $status; it printed:"
        printf '%s\n' "$output"
        report 1 "$what"
        return
    fi
    if [ "$(grep '^box: ' <<<"$output" || true)" != "$boxes" ]; then
        echo "The message boxes differ (- expected, + shown):"
        diff -u --label expected --label shown <(printf '%s\n' "$boxes") \
            <(grep '^box: ' <<<"$output" || true) | sed 's/$/|/' || true
        report 1 "$what: message boxes"
    fi
    e2e_compare_images "$tree" "$(grep -v '^box: ' <<<"$output")" "$what" || failures=$((failures + 1))
}

e2e_start_program
step "first status check" "$checked_tree" ""
step "expert command" "$expert_tree" "" --changed --menu "$menu_expert"
step "recommended command" "$recommended_tree" "" --changed --menu "$menu_recommended"

step "restore, cancelled" "$recommended_tree" "$question" --menu "$menu_reset" --answer "$IDCANCEL"
check_values off "Cancel wrote nothing"

step "restore" "$recommended_tree" "$question"$'\n'"$restored" \
    --menu "$menu_reset" --answer "$IDOK" --answer "$IDOK"
check_values restored "the restore wrote the fourteen defaults and deleted the three Media Player values"

# Again, with the Media Player values gone (restored already, so no line) and
# the Webcheck key missing (its write fails and is named).
reg_remove_key "$webcheck"
step "restore with a key missing, confirmed" "$recommended_tree" "$question" --menu "$menu_reset" --answer "$IDOK"
e2e_screenshot "$shot"
step "restore with a key missing, reported" "$recommended_tree" "$restored_but_webcheck" --answer "$IDOK"
e2e_stop_program

if [ "$failures" -ne 0 ]; then
    echo "FAILED: $failures checks"
    exit 1
fi
echo "PASSED: every check"
