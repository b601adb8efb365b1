// The Start button of veilmark.exe from end to end: a Windows XP with its
// features still on, a user's changes to the selection, Start, the closing
// question, the registry read back, and the second press that ends it.
#include "tests/win/e2e/app_test.h"
#include "tests/win/e2e/option_keys.h"

namespace {

using K = OptionKey;
using namespace option_keys;
using namespace registry_state;

int Position(K key) { return static_cast<int>(key); }

TEST_F(AppTest, StartAppliesTheSelectionReportsWhatFailedAndThenEndsTheProgram)
{
    PrepareEverythingOn();
    RemoveKey(kWebcheck);  // not on this system: its write fails

    Start();
    HWND main = WaitForMainWindow();
    ASSERT_TRUE(main);
    // The user keeps the support users and stops Messenger's autostart.
    ToggleTreeItem(main, Position(K::RemoveSupportUsers));
    ToggleTreeItem(main, Position(K::MessengerNoAutostart));
    PostCommand(main, IDC_START);
    Answer("停用已排程的更新:[ 無法開啟登錄機碼 ]\n\n已套用您選擇的「設定值」，請問您現在是否要\n檢查「系統狀態」？" +
               std::string(23, ' '),
           IDYES);

    ExpectTree(main, {
                         9, 5, 5, 5,     // Media Player
                         9, 5, 5,        // error reporting
                         9, 5, 5, 0, 4,  // misc: support users kept, Alexa locked
                         9, 5, 12, 5,    // IE: scheduled updates not written
                         9, 5, 5, 5, 4,  // services: the task scheduler locked
                         9, 3, 5, 2,     // Messenger: no autostart value any more
                     });
    Screenshot(L"e2e-apply");
    EXPECT_EQ("就緒 ", WindowText(GetDlgItem(main, IDC_START)));

    EXPECT_EQ("REG_BINARY 00", Show(kPlayer, L"SendUserGUID"));
    EXPECT_EQ("REG_BINARY 00", Show(kPlayer, L"UpgradeCodecPrompt"));
    EXPECT_EQ("REG_DWORD 0x0", Show(kReporting, L"DoReport"));
    EXPECT_EQ("REG_DWORD 0x0", Show(kReporting, L"ShowUI"));
    EXPECT_EQ("REG_DWORD 0x0", Show(kTerminalServer, L"fAllowToGetHelp"));
    EXPECT_EQ("REG_DWORD 0x1", Show(kIeMain, L"NoUpdateCheck"));
    EXPECT_EQ("REG_SZ NoSync", Show(kServices + L"\\W32Time\\Parameters", L"Type"));
    EXPECT_EQ("REG_DWORD 0x0", Show(kInternetSettings, L"EnableNegotiate"));
    for (const wchar_t* service : {L"\\ERSvc", L"\\wuauserv", L"\\W32Time"})
        EXPECT_EQ("REG_DWORD 0x4", Show(kServices + service, L"Start")) << WideToUtf8(service);
    EXPECT_EQ("REG_DWORD 0x2", Show(kServices + L"\\Schedule", L"Start")) << "a locked option was applied";
    EXPECT_TRUE(HasKey(kAlexa)) << "a locked option was applied";
    EXPECT_EQ("missing", Show(kRun, L"MSMSGS"));
    EXPECT_FALSE(HasKey(kWebcheck)) << "the pass made a key";

    // The second press writes nothing and ends the program.
    SetDword(kReporting, L"DoReport", 1);
    PostCommand(main, IDC_START);
    ExpectEndsAtOnce("the second press of Start");
    EXPECT_EQ("REG_DWORD 0x1", Show(kReporting, L"DoReport"));
}

}  // namespace
