// veilmark.exe itself, started and driven from outside as a user would: the
// main window as it comes up, the ways to end the program, the warning on a
// system that is not Windows XP, and the help command without its file.
//
// Usage: veilmark_app_tests.exe [gtest options] [--veilmark-exe=PATH | PATH]
//   or with the path in the environment variable VEILMARK_EXE. A Unix path is
//   taken as a path on Wine's Z: drive.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/text.h"
#include "platform/win32/win32.h"
#include "tests/win/app_driver.h"

using namespace app_driver;

namespace {

std::wstring g_program;  // the veilmark.exe under test

// The first start of a program in a fresh Wine prefix can take seconds.
constexpr DWORD kStartTimeoutMs = 20000;
// Anything that ends the program "at once" does so well within this.
constexpr DWORD kExitTimeoutMs = 5000;
// How long a window that should not come up is watched for.
constexpr DWORD kQuietMs = 1500;

constexpr wchar_t kVersionKey[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
const std::string kMainTitle = "Veilmark V3.13";
constexpr int kStartButtonId = 1000;
constexpr int kLinkLabelId = 1010;
constexpr int kOptionTreeId = 1048;
constexpr int kMainMenuId = 243;
constexpr WPARAM kHelpIndexCommand = 40012;
const std::string kNoHelpFileText = "對不起，在執行目錄找不到說明檔        [Veilmark.chm]";

std::string Describe(HWND window)
{
    if (!window)
        return "no window";
    return "control " + std::to_string(GetDlgCtrlID(window)) + " (" + WideToUtf8(ClassName(window)) + " \"" +
           WindowText(window) + "\")";
}

std::string DescribeButtons(const std::vector<int>& ids)
{
    std::string text;
    for (int id : ids)
        text += (text.empty() ? "" : ", ") + std::to_string(id);
    return "{" + text + "}";
}

// A test name made of the letters and digits of `text`.
std::string TestName(const char* text)
{
    std::string name;
    for (const char* c = text; *c; ++c) {
        if (std::isalnum(static_cast<unsigned char>(*c)))
            name += *c;
    }
    return name;
}

class AppTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(g_program.empty()) << "name veilmark.exe in VEILMARK_EXE or as an argument";
        ASSERT_NE(GetFileAttributesW(g_program.c_str()), INVALID_FILE_ATTRIBUTES)
            << "no file " << WideToUtf8(g_program);
        ASSERT_TRUE(m_workDirectory.Ready()) << "cannot make a working directory";
        // A Windows XP name, so no warning comes up unless a test asks for it.
        SetProductName(L"Microsoft Windows XP Professional");
    }

    void SetProductName(const std::wstring& name)
    {
        std::string error;
        ASSERT_TRUE(m_productName.Set(name, error)) << error;
    }

    // Starts the program with a current directory that is not its own.
    void Start(const std::wstring& program)
    {
        std::string error;
        ASSERT_TRUE(m_app.Start(program, m_workDirectory.Path(), error)) << error;
        m_app.WaitUntilIdle(kStartTimeoutMs);
    }
    void Start() { Start(g_program); }

    // Starts a copy of the program in a directory of its own, which holds no
    // help file, from a current directory that does hold a file of that name:
    // the program must look beside itself, not in its current directory.
    void StartWithoutHelpFile()
    {
        m_programDirectory.emplace(L"program");
        ASSERT_TRUE(m_programDirectory->Ready());
        const std::wstring copy = m_programDirectory->File(L"veilmark.exe");
        ASSERT_TRUE(CopyFileW(g_program.c_str(), copy.c_str(), TRUE)) << "cannot copy the program";
        HANDLE decoy = CreateFileW(m_workDirectory.File(L"Veilmark.chm").c_str(), GENERIC_WRITE, 0, nullptr,
                                   CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(decoy, INVALID_HANDLE_VALUE);
        CloseHandle(decoy);
        Start(copy);
    }

    // The main window, once up with nothing in front of it; nullptr (and a
    // failure that says what is shown instead) otherwise.
    HWND WaitForMainWindow()
    {
        const Windows windows =
            m_app.WaitFor([](const Windows& w) { return w.main || !w.boxes.empty(); }, kStartTimeoutMs);
        if (!windows.main || !windows.boxes.empty()) {
            ADD_FAILURE() << "expected the main window alone; " << Status(windows);
            return nullptr;
        }
        return windows.main;
    }

    // The one message box of the start-up. Once the main window is up with
    // no box in front of it, one is waited for only a moment longer.
    HWND WaitForStartupMessageBox()
    {
        bool mainSeen = false;
        DWORD mainSince = 0;
        return WaitForMessageBox(kStartTimeoutMs, [&](const Windows& w) {
            if (w.main && !mainSeen) {
                mainSeen = true;
                mainSince = GetTickCount();
            }
            return mainSeen && GetTickCount() - mainSince >= kQuietMs;
        });
    }

    // The one message box the program shows within `timeoutMs`, or earlier
    // when `giveUp` says none is coming.
    template <typename GiveUp>
    HWND WaitForMessageBox(DWORD timeoutMs, GiveUp giveUp)
    {
        const Windows windows =
            m_app.WaitFor([&](const Windows& w) { return !w.boxes.empty() || giveUp(w); }, timeoutMs);
        if (windows.boxes.size() != 1) {
            ADD_FAILURE() << "expected one message box; " << Status(windows);
            return nullptr;
        }
        return windows.boxes.front();
    }
    HWND WaitForMessageBox(DWORD timeoutMs)
    {
        return WaitForMessageBox(timeoutMs, [](const Windows&) { return false; });
    }

    // The control that has the keyboard focus, once it is `expected` (given
    // a moment to settle after the window is shown).
    HWND WaitForFocus(HWND main, HWND expected)
    {
        HWND focus = nullptr;
        for (DWORD start = GetTickCount(); GetTickCount() - start < kExitTimeoutMs; Sleep(50)) {
            focus = AppProcess::FocusOfThread(main);
            if (focus == expected)
                break;
        }
        return focus;
    }

    void ExpectEndsAtOnce(const std::string& what)
    {
        EXPECT_TRUE(m_app.WaitForExit(kExitTimeoutMs))
            << what << " did not end the program within " << kExitTimeoutMs << " ms; " << Status(m_app.Snapshot());
    }

    // Still running after a while, its main window up and usable, nothing in front of it.
    void ExpectKeepsRunning(const std::string& after)
    {
        Sleep(kQuietMs);
        ASSERT_TRUE(m_app.IsRunning()) << "the program ended after " << after;
        const Windows windows = m_app.Snapshot();
        EXPECT_TRUE(windows.main && windows.boxes.empty() && IsWindowEnabled(windows.main))
            << "after " << after << " expected the main window alone, enabled; " << Status(windows);
    }

    std::string Status(const Windows& windows) const
    {
        return (m_app.IsRunning() ? "the program runs, " : "the program has ended, ") + DescribeWindows(windows);
    }

    RegistryValueOverride m_productName{HKEY_LOCAL_MACHINE, kVersionKey, L"ProductName"};
    ScratchDirectory m_workDirectory{L"cwd"};
    std::optional<ScratchDirectory> m_programDirectory;
    // Last, so it goes first: the program has ended before its files are
    // removed and the registry is put back.
    AppProcess m_app;
};

// ---- The main window -------------------------------------------------------

TEST_F(AppTest, MainWindowComesUpWithItsTitleControlsAndTheFocusOnCancel)
{
    Start();
    HWND main = WaitForMainWindow();
    ASSERT_TRUE(main);

    EXPECT_EQ(WindowText(main), kMainTitle);
    EXPECT_EQ(WindowText(GetDlgItem(main, IDCANCEL)), "取消");
    EXPECT_EQ(WindowText(GetDlgItem(main, kStartButtonId)), "開始");
    EXPECT_EQ(_wcsicmp(ClassName(GetDlgItem(main, kLinkLabelId)).c_str(), L"Static"), 0)
        << "link label: " << Describe(GetDlgItem(main, kLinkLabelId));
    EXPECT_EQ(ClassName(GetDlgItem(main, kOptionTreeId)), WC_TREEVIEWW);

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
        menu = ReadMenuResource(g_program, kMainMenuId, error);
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
    PostMessageW(main, WM_COMMAND, kHelpIndexCommand, 0);
    HWND box = WaitForMessageBox(kExitTimeoutMs);
    ASSERT_TRUE(box);

    const MessageBoxView view = ReadMessageBox(box);
    EXPECT_EQ(view.text, kNoHelpFileText);
    EXPECT_EQ(view.buttons, (std::vector<int>{IDOK})) << "buttons " << DescribeButtons(view.buttons);

    ASSERT_TRUE(AnswerMessageBox(box, IDOK, kExitTimeoutMs));
    ExpectKeepsRunning("OK to the help message");
    PostMessageW(main, WM_CLOSE, 0, 0);
    ExpectEndsAtOnce("WM_CLOSE after the help message");
}

bool RunsOnWine()
{
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // What GoogleTest leaves is ours: the program's path, which wins over the environment.
    for (int i = 1; i < argc; ++i) {
        const std::wstring argument = argv[i];
        const std::wstring option = L"--veilmark-exe=";
        g_program = argument.rfind(option, 0) == 0 ? argument.substr(option.size()) : argument;
    }
    if (g_program.empty()) {
        if (const wchar_t* variable = _wgetenv(L"VEILMARK_EXE"))
            g_program = variable;
    }
    g_program = WindowsPath(g_program);

    // Without a window manager (the tests' private X server) Wine waits two
    // seconds for every window it hides, as it would for the manager to
    // withdraw it; windows it leaves unmanaged hide at once. Programs read
    // this when they start, so it holds for every veilmark.exe started here.
    std::optional<RegistryValueOverride> unmanaged;
    if (RunsOnWine()) {
        unmanaged.emplace(HKEY_CURRENT_USER, L"Software\\Wine\\X11 Driver", L"Managed");
        std::string error;
        if (!unmanaged->Set(L"N", error))
            std::cerr << "Windows stay managed (" << error << "); closing them takes longer.\n";
    }
    return RUN_ALL_TESTS();
}
