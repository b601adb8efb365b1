// veilmark.exe itself, started and driven from outside as a user would: the
// main window as it comes up, the ways to end the program, the warning on a
// system that is not Windows XP, and the help command without its file.
#include "tests/win/e2e/app_test.h"

namespace {

const std::string kNoHelpFileText = "對不起，在執行目錄找不到說明檔        [Veilmark.chm]";

// ---- The main window -------------------------------------------------------

TEST_F(AppTest, MainWindowComesUpWithItsTitleControlsAndTheFocusOnCancel)
{
    Start();
    HWND main = WaitForMainWindow();
    ASSERT_TRUE(main);

    EXPECT_EQ(WindowText(main), kMainTitle);
    EXPECT_EQ(WindowText(GetDlgItem(main, IDCANCEL)), "取消");
    EXPECT_EQ(WindowText(GetDlgItem(main, IDC_START)), "開始");
    EXPECT_EQ(_wcsicmp(ClassName(GetDlgItem(main, IDC_HOMEPAGE_LINK)).c_str(), L"Static"), 0)
        << "link label: " << Describe(GetDlgItem(main, IDC_HOMEPAGE_LINK));
    EXPECT_EQ(ClassName(GetDlgItem(main, IDC_OPTION_TREE)), WC_TREEVIEWW);

    HWND cancel = GetDlgItem(main, IDCANCEL);
    HWND focus = WaitForFocus(main, cancel);
    EXPECT_EQ(focus, cancel) << "the focus is on " << Describe(focus);
}

TEST_F(AppTest, MenuBarHoldsTheSpecialAndHelpCommandsInOrder)
{
    Start();
    HWND main = WaitForMainWindow();
    ASSERT_TRUE(main);
    ASSERT_TRUE(ShowsMenuBar(main)) << "the main window shows no menu bar";

    std::string error;
    std::vector<std::string> menu = ReadMenuBar(main, error);
    if (!error.empty()) {
        // Wine cannot read another process's menu: read the menu the program
        // loads; the keyboard test below shows it is the one on the window.
        std::cout << "The window's menu cannot be read from outside (" << error
                  << "); checking the program's menu resource 243 instead.\n";
        error.clear();
        menu = ReadMenuResource(ProgramUnderTest(), IDR_MAIN_MENU, error);
        ASSERT_TRUE(error.empty()) << error;
    }
    const std::vector<std::string> expected = {
        "特殊",
        "  40005 檢查系統狀態(&C)",
        "  40006 重設系統狀態(&R)",
        "  40008 選擇建議的設定值(&C)",
        "  40007 啟用專家設定值(&E)",
        "  40013 設定校時伺服器(&S)",
        "說明",
        "  40012 索引(&I)...",
        "  40003 關於 Veilmark(&A)...",
    };
    EXPECT_EQ(menu, expected);
}

// The menu bar on the window is the working one: from the keyboard, the
// first item of the second popup gives the help command.
TEST_F(AppTest, KeyboardThroughTheMenuBarReachesTheHelpCommand)
{
    StartWithoutHelpFile();
    HWND main = WaitForMainWindow();
    ASSERT_TRUE(main);

    ChooseMenuItem(main, 1, 0);
    HWND box = WaitForMessageBox(kExitTimeoutMs);
    ASSERT_TRUE(box);
    EXPECT_EQ(ReadMessageBox(box).text, kNoHelpFileText);
    EXPECT_TRUE(AnswerMessageBox(box, IDOK, kExitTimeoutMs));
}

// ---- Ending the program ----------------------------------------------------

struct Ending {
    const char* name;
    void (*act)(HWND main, HWND focus);
};

void PressEnter(HWND, HWND focus) { PostKey(focus, VK_RETURN); }
void PressEscape(HWND, HWND focus) { PostKey(focus, VK_ESCAPE); }
void PostClose(HWND main, HWND) { PostMessageW(main, WM_CLOSE, 0, 0); }
void PostSystemClose(HWND main, HWND) { PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0); }

void PrintTo(const Ending& ending, std::ostream* out)
{
    *out << ending.name;
}

class EndingTest : public AppTest, public ::testing::WithParamInterface<Ending> {};

// Each of these ends the program at once, without a question first.
TEST_P(EndingTest, EndsTheProgramAtOnce)
{
    Start();
    HWND main = WaitForMainWindow();
    ASSERT_TRUE(main);
    HWND cancel = GetDlgItem(main, IDCANCEL);
    HWND focus = WaitForFocus(main, cancel);
    ASSERT_EQ(focus, cancel) << "the keys go to the focus, which is on " << Describe(focus);

    GetParam().act(main, focus);
    ExpectEndsAtOnce(GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(App, EndingTest,
                         ::testing::Values(Ending{"Enter", PressEnter}, Ending{"Escape", PressEscape},
                                           Ending{"WM_CLOSE", PostClose}, Ending{"SC_CLOSE", PostSystemClose}),
                         [](const ::testing::TestParamInfo<Ending>& ending) { return TestName(ending.param.name); });

// ---- The product-name check ------------------------------------------------

std::string WarningFor(const std::string& productName)
{
    return "您的作業系統不是 Windows XP，建議您立即關閉此程式！      \n您目前所使用的作業系統是： " + productName;
}

class OtherSystemTest : public AppTest, public ::testing::WithParamInterface<const char*> {};

// The warning names the system the registry names; No goes on with the program.
TEST_P(OtherSystemTest, WarnsWithTheSystemsNameAndNoKeepsTheProgramRunning)
{
    SetProductName(Utf8ToWide(GetParam()));
    Start();
    HWND box = WaitForStartupMessageBox();
    ASSERT_TRUE(box);

    const MessageBoxView view = ReadMessageBox(box);
    EXPECT_EQ(view.title, kBoxTitle);
    EXPECT_EQ(view.text, WarningFor(GetParam()));
    EXPECT_EQ(view.buttons, (std::vector<int>{IDYES, IDNO})) << "buttons " << DescribeButtons(view.buttons);
    EXPECT_EQ(MessageBoxIcon(box, kExitTimeoutMs), "warning");

    ASSERT_TRUE(AnswerMessageBox(box, IDNO, kExitTimeoutMs));
    HWND main = WaitForMainWindow();
    ASSERT_TRUE(main);
    EXPECT_EQ(WindowText(main), kMainTitle);
    ExpectKeepsRunning("No to the warning");
}

INSTANTIATE_TEST_SUITE_P(App, OtherSystemTest,
                         ::testing::Values("Microsoft Windows 2000", "Microsoft Windows Server 2003"),
                         [](const ::testing::TestParamInfo<const char*>& system) { return TestName(system.param); });

TEST_F(AppTest, YesToTheWarningEndsTheProgramByItself)
{
    SetProductName(L"Microsoft Windows 2000");
    Start();
    HWND box = WaitForStartupMessageBox();
    ASSERT_TRUE(box);
    ASSERT_EQ(ReadMessageBox(box).text, WarningFor("Microsoft Windows 2000"));

    PostCommand(box, IDYES);
    ExpectEndsAtOnce("Yes to the warning");
}

TEST_F(AppTest, WindowsXpProfessionalGetsNoWarning)
{
    SetProductName(L"Microsoft Windows XP Professional");
    Start();
    ASSERT_TRUE(WaitForMainWindow());
    ExpectKeepsRunning("the start-up");
}

// ---- Help ------------------------------------------------------------------

TEST_F(AppTest, HelpWithoutItsFileSaysSoAndTheProgramGoesOn)
{
    StartWithoutHelpFile();
    HWND main = WaitForMainWindow();
    ASSERT_TRUE(main);
    PostMessageW(main, WM_COMMAND, IDM_HELP_INDEX, 0);
    HWND box = WaitForMessageBox(kExitTimeoutMs);
    ASSERT_TRUE(box);

    const MessageBoxView view = ReadMessageBox(box);
    EXPECT_EQ(view.title, kBoxTitle);
    EXPECT_EQ(view.text, kNoHelpFileText);
    EXPECT_EQ(view.buttons, (std::vector<int>{IDOK})) << "buttons " << DescribeButtons(view.buttons);

    ASSERT_TRUE(AnswerMessageBox(box, IDOK, kExitTimeoutMs));
    ExpectKeepsRunning("OK to the help message");
    PostMessageW(main, WM_CLOSE, 0, 0);
    ExpectEndsAtOnce("WM_CLOSE after the help message");
}

}  // namespace
