// veilmark.exe on a registry in a known state: the status check shows every
// option's state on the tree; the expert and recommended commands change the
// tree only; the restore asks first, writes the Windows defaults, deletes the
// Media Player values, never makes a key, and names what it could not restore.
#include <cstdio>

#include "tests/win/e2e/app_test.h"
#include "tests/win/e2e/option_keys.h"

namespace {

using K = OptionKey;
using namespace option_keys;
using namespace registry_state;


// Positions in the first menu.
constexpr int kMenuReset = 1;
constexpr int kMenuRecommended = 2;
constexpr int kMenuExpert = 3;

// The image of every option, in tree order; the keys keep the list readable
// and in step with the catalogue.
std::vector<int> Tree(std::initializer_list<std::pair<K, int>> images)
{
    std::vector<int> list;
    std::size_t i = 0;
    for (const auto& [key, image] : images) {
        if (i >= Catalogue().size() || Catalogue()[i++].key != key)
            ADD_FAILURE() << "the expected tree is not in catalogue order at " << Catalogue()[i - 1].name;
        list.push_back(image);
    }
    return list;
}

// A copy of `tree` with the images of `keys` replaced.
std::vector<int> With(std::vector<int> tree, std::initializer_list<K> keys, int image)
{
    for (K key : keys)
        tree[static_cast<std::size_t>(key)] = image;
    return tree;
}

// ---- The status check ------------------------------------------------------

TEST_F(AppTest, TheStatusCheckShowsEveryOptionsStateOnTheTree)
{
    SetBinary(kPlayer, L"SilentAcquisition", {0x00});
    SetBinary(kPlayer, L"SendUserGUID", {0x01});
    RemoveValue(kPlayer, L"UpgradeCodecPrompt");
    SetDword(kReporting, L"DoReport", 0);
    SetDword(kReporting, L"ShowUI", 1);
    SetDword(kTerminalServer, L"fAllowToGetHelp", 1);
    SetText(kServices + L"\\W32Time\\Parameters", L"Type", L"nosync");
    SetText(kAlexa, L"Script", L"res://shdoclvw.dll/related.htm");
    SetDword(kIeMain, L"NoUpdateCheck", 0);
    SetDword(kWebcheck, L"NoScheduledUpdates", 1);
    SetDword(kInternetSettings, L"EnableNegotiate", 0);
    SetDword(kServices + L"\\ERSvc", L"Start", 4);
    SetDword(kServices + L"\\wuauserv", L"Start", 2);
    RemoveValue(kServices + L"\\W32Time", L"Start");
    SetDword(kServices + L"\\Schedule", L"Start", 4);
    RemoveValue(kRun, L"MSMSGS");
    SetText(kMessengerServer, L"", L"C:\\Program Files\\Messenger\\msmsgs.exe");

    Start();
    HWND main = WaitForMainWindow();
    ASSERT_TRUE(main);
    // A value equal to the switched-off one: done (5); different or missing:
    // still active (12). The expert options stay locked (4) unless their
    // setting is in effect; the support users are not looked up.
    ExpectTree(main, Tree({
                         {K::MediaPlayerGroup, 9},
                         {K::NoLicenceAcquisition, 5},          // 00
                         {K::NoPlayerIdentification, 12},       // 01
                         {K::NoCodecDownload, 12},              // missing
                         {K::ErrorReportingGroup, 9},
                         {K::NoErrorReporting, 5},              // 0
                         {K::NoCriticalErrorReporting, 12},     // 1
                         {K::MiscGroup, 9},
                         {K::NoRemoteAssistance, 12},           // 1
                         {K::NoInternetTimeSync, 12},           // "nosync", not "NoSync"
                         {K::RemoveSupportUsers, 1},
                         {K::RemoveAlexaEntry, 4},              // Script present
                         {K::InternetExplorerGroup, 9},
                         {K::NoIeUpdateCheck, 12},              // 0
                         {K::NoIeScheduledUpdates, 5},          // 1
                         {K::NoIntegratedAuth, 5},              // 0
                         {K::ServicesGroup, 9},
                         {K::DisableErrorReportingService, 5},  // 4
                         {K::DisableAutoUpdateService, 12},     // 2
                         {K::DisableTimeService, 12},           // missing
                         {K::DisableTaskSchedulerService, 5},   // 4: unlocked, done
                         {K::MessengerGroup, 9},
                         {K::MessengerNoAction, 3},
                         {K::MessengerNoAutostart, 5},          // no autostart value
                         {K::MessengerUninstall, 2},            // installed
                     }));
    Screenshot(L"e2e-status");
}

// ---- The commands on the settings as a whole -------------------------------

// A value of a switched-off system, and how reg.exe would show it after the restore.
struct SwitchedOffValue {
    std::wstring key;
    std::wstring name;
    DWORD number;       // REG_DWORD data, or
    const wchar_t* text;  // REG_SZ data, or
    bool binary;        // a REG_BINARY 00
    std::string restored;
};

const std::vector<SwitchedOffValue>& SwitchedOffValues()
{
    static const std::vector<SwitchedOffValue> values = {
        {kPlayer, L"SilentAcquisition", 0, nullptr, true, "missing"},
        {kPlayer, L"SendUserGUID", 0, nullptr, true, "missing"},
        {kPlayer, L"UpgradeCodecPrompt", 0, nullptr, true, "missing"},
        {kReporting, L"DoReport", 0, nullptr, false, "REG_DWORD 0x1"},
        {kReporting, L"ShowUI", 0, nullptr, false, "REG_DWORD 0x1"},
        {kTerminalServer, L"fAllowToGetHelp", 0, nullptr, false,
         "REG_DWORD 0x1"},
        {kWebcheck, L"NoScheduledUpdates", 1, nullptr, false, "REG_DWORD 0x0"},
        {kIeMain, L"NoUpdateCheck", 1, nullptr, false, "REG_DWORD 0x0"},
        {kServices + L"\\W32Time\\Parameters", L"Type", 0, L"NoSync", false, "REG_SZ Ntp"},
        {kInternetSettings, L"EnableNegotiate", 0, nullptr,
         false, "REG_DWORD 0x1"},
        {kServices + L"\\ERSvc", L"Start", 4, nullptr, false, "REG_DWORD 0x2"},
        {kServices + L"\\wuauserv", L"Start", 4, nullptr, false, "REG_DWORD 0x2"},
        {kServices + L"\\W32Time", L"Start", 4, nullptr, false, "REG_DWORD 0x2"},
        {kServices + L"\\Schedule", L"Start", 4, nullptr, false, "REG_DWORD 0x2"},
    };
    return values;
}

std::string ShownOff(const SwitchedOffValue& value)
{
    if (value.binary)
        return "REG_BINARY 00";
    if (value.text)
        return "REG_SZ " + WideToUtf8(value.text);
    char shown[32];
    std::snprintf(shown, sizeof shown, "REG_DWORD 0x%lx", static_cast<unsigned long>(value.number));
    return shown;
}

class SettingsCommandTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        RemoveKey(kWebcheck);  // a run before may have left it missing
        for (const SwitchedOffValue& value : SwitchedOffValues()) {
            if (value.binary)
                SetBinary(value.key, value.name, {0x00});
            else if (value.text)
                SetText(value.key, value.name, value.text);
            else
                SetDword(value.key, value.name, value.number);
        }
        SetText(kAlexa, L"Script", L"res://shdoclvw.dll/related.htm");
        SetText(kRun, L"MSMSGS", L"\"C:\\Program Files\\Messenger\\msmsgs.exe\" /background");
        SetText(kMessengerServer, L"", L"C:\\Program Files\\Messenger\\msmsgs.exe");
        ExpectValues(false, "as prepared");
    }

    // Every value switched off, or every one restored.
    void ExpectValues(bool restored, const std::string& when)
    {
        for (const SwitchedOffValue& value : SwitchedOffValues())
            EXPECT_EQ(restored ? value.restored : ShownOff(value), Show(value.key, value.name))
                << WideToUtf8(value.key) << "\\" << WideToUtf8(value.name) << ", " << when;
    }

    // After the first status check of a switched-off system: all done (5),
    // but the Alexa entry whose value is there (locked, 4) and the support
    // users, never looked up (ticked, 1). The Messenger radios stay enabled.
    const std::vector<int> m_checked = Tree({
        {K::MediaPlayerGroup, 9},      {K::NoLicenceAcquisition, 5},          {K::NoPlayerIdentification, 5},
        {K::NoCodecDownload, 5},       {K::ErrorReportingGroup, 9},           {K::NoErrorReporting, 5},
        {K::NoCriticalErrorReporting, 5}, {K::MiscGroup, 9},                  {K::NoRemoteAssistance, 5},
        {K::NoInternetTimeSync, 5},    {K::RemoveSupportUsers, 1},            {K::RemoveAlexaEntry, 4},
        {K::InternetExplorerGroup, 9}, {K::NoIeUpdateCheck, 5},               {K::NoIeScheduledUpdates, 5},
        {K::NoIntegratedAuth, 5},      {K::ServicesGroup, 9},                 {K::DisableErrorReportingService, 5},
        {K::DisableAutoUpdateService, 5}, {K::DisableTimeService, 5},         {K::DisableTaskSchedulerService, 5},
        {K::MessengerGroup, 9},        {K::MessengerNoAction, 3},             {K::MessengerNoAutostart, 2},
        {K::MessengerUninstall, 2},
    });
};

TEST_F(SettingsCommandTest, ExpertAndRecommendedChangeTheTreeAndNothingElse)
{
    Start();
    HWND main = WaitForMainWindow();
    ASSERT_TRUE(main);
    ExpectTree(main, m_checked);

    // Both expert options enabled and unticked.
    const std::vector<int> expert = With(m_checked, {K::RemoveAlexaEntry, K::DisableTaskSchedulerService}, 0);
    ChooseSpecial(main, kMenuExpert);
    ExpectTree(main, expert);

    // The tree as built: every check item ticked, the expert options locked again.
    std::vector<int> recommended = m_checked;
    for (int& image : recommended)
        image = image == 5 ? 1 : image;
    recommended = With(recommended, {K::RemoveAlexaEntry, K::DisableTaskSchedulerService}, 4);
    ChooseSpecial(main, kMenuRecommended);
    ExpectTree(main, recommended);
    ExpectValues(false, "after the expert and recommended commands");
}

TEST_F(SettingsCommandTest, TheRestoreAsksFirstWritesTheDefaultsAndNamesWhatFailed)
{
    const std::string question =
        "恢復所有設定值表示，所有功能都會「恢復」為剛安裝完 Windows XP 時的初始狀態。\n"
        "這並不會影響 MS Messenger Alexa 與 MS 支援使用者，因此您必須手動將它們刪除。\n"
        "您要繼續嗎？" + std::string(84, ' ');
    const std::string restored = "已恢復為初始設定值！        ";
    Start();
    HWND main = WaitForMainWindow();
    ASSERT_TRUE(main);
    ExpectTree(main, m_checked);

    ChooseSpecial(main, kMenuReset);
    Answer(question, IDCANCEL);
    ExpectKeepsRunning("Cancel to the restore");
    ExpectValues(false, "after Cancel");

    ChooseSpecial(main, kMenuReset);
    Answer(question, IDOK);
    Answer(restored, IDOK);
    ExpectValues(true, "after the restore");

    // Again, the Media Player values gone (restored already: no line) and the
    // Webcheck key missing: its write fails and is named, and no key is made.
    RemoveKey(kWebcheck);
    ChooseSpecial(main, kMenuReset);
    Answer(question, IDOK);
    ASSERT_TRUE(WaitForMessageBox(kExitTimeoutMs));
    Screenshot(L"e2e-restore-report");
    Answer(restored + "\n停用已排程的更新:[ 無法開啟登錄機碼 ]", IDOK);
    EXPECT_FALSE(HasKey(kWebcheck)) << "the restore made a key";
    // The restore leaves the tree as it was.
    ExpectTree(main, m_checked);
}

}  // namespace
