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

// A close request from outside (the taskbar's Close, another program) while
// the pass waits for the Messenger uninstaller: the pass goes on to its
// closing question over the main window, and the program ends after it.
TEST_F(AppTest, ACloseRequestDuringAWaitIsCarriedOutOnlyOnceThePassHasEnded)
{
    PrepareEverythingOn();
    Start();
    HWND main = WaitForMainWindow();
    ASSERT_TRUE(main);
    ToggleTreeItem(main, Position(K::RemoveSupportUsers));
    ToggleTreeItem(main, Position(K::MessengerUninstall));
    PostCommand(main, IDC_START);
    Answer("您選擇要解除安裝 MS Messenger，對嗎？" + std::string(21, ' '), IDYES);

    HWND wait = WaitForMessageBox(kExitTimeoutMs);
    ASSERT_TRUE(wait);
    EXPECT_EQ(0u, WindowText(GetDlgItem(wait, IDC_WAIT_TEXT)).find("Microsoft Messenger 即將解除"));
    PostMessageW(main, WM_CLOSE, 0, 0);
    PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    PostCommand(main, IDCANCEL);

    // The wait lasts ten seconds; then the closing question.
    HWND question = WaitForBoxBesides(wait, 3 * kStartTimeoutMs / 2);
    ASSERT_TRUE(question);
    EXPECT_EQ("已套用您選擇的「設定值」，請問您現在是否要\n檢查「系統狀態」？" + std::string(23, ' '),
              ReadMessageBox(question).text);
    EXPECT_TRUE(IsWindowVisible(main)) << "the close request ended the dialog during the pass";
    EXPECT_EQ("REG_DWORD 0x4", Show(kServices + L"\\wuauserv", L"Start"));
    ASSERT_TRUE(AnswerMessageBox(question, IDNO, kExitTimeoutMs));
    ExpectEndsAtOnce("the close request held during the pass");
}

}  // namespace
