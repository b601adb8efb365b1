// The system actions on real windows, with the registry and the folders of
// the test prefix: the wait box and the guidance dialog on screen (saved as
// screenshots), the launches by full path in the system's own folders (the
// shell is a recording one: nothing is installed or removed). And the Win32
// ports that the actions wait, look for windows and start programs through.
#include <gtest/gtest.h>

#include <iostream>
#include <string>
#include <utility>

#include "actions/media_player_run.h"
#include "actions/messenger_removal.h"
#include "actions/user_manager.h"
#include "platform/memory/memory_files.h"
#include "platform/memory/memory_prompt.h"
#include "platform/memory/memory_shell.h"
#include "platform/win32/framework/subclassed_window.h"
#include "platform/win32/text.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_dialog_host.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_system_folders.h"
#include "platform/win32/win32_version_info.h"
#include "res/resource.h"
#include "tests/win/test_files.h"

namespace {

std::string SystemDirectory()
{
    wchar_t buffer[MAX_PATH];
    return WideToUtf8({buffer, GetSystemDirectoryW(buffer, MAX_PATH)});
}

struct DialogSearch {
    int id;
    HWND found;
};

BOOL CALLBACK FindDialogWith(HWND window, LPARAM context)
{
    auto& search = *reinterpret_cast<DialogSearch*>(context);
    if (IsWindowVisible(window) && GetDlgItem(window, search.id))
        search.found = window;
    return search.found ? FALSE : TRUE;
}

// The visible dialog of this thread that holds control `id`.
HWND VisibleDialogWith(int id)
{
    DialogSearch search{id, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), FindDialogWith, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string ItemText(HWND dialog, int id)
{
    wchar_t text[512] = {};
    GetDlgItemTextW(dialog, id, text, 512);
    return WideToUtf8(text);
}

// The actions' real clock, but waits of at most a few milliseconds (their
// full length would make the test last minutes); at the first wait, once
// the windows had time to paint, it reads the wait box and takes a screenshot.
class ShortClock final : public IClock {
public:
    explicit ShortClock(std::wstring screenshot) : m_screenshot(std::move(screenshot)) {}

    std::string waitText;
    bool waitBoxShown = false;

    LocalTime Now() const override { return m_clock.Now(); }
    void Sleep(std::uint32_t) override
    {
        m_clock.Sleep(m_first ? 300 : 1);
        if (!std::exchange(m_first, false))
            return;
        if (HWND box = VisibleDialogWith(IDC_WAIT_TEXT)) {
            waitBoxShown = true;
            waitText = ItemText(box, IDC_WAIT_TEXT);
        }
        EXPECT_TRUE(SaveScreenshot(m_screenshot));
    }

private:
    Win32Clock m_clock;
    std::wstring m_screenshot;
    bool m_first = true;
};

struct Services {
    explicit Services(std::wstring screenshot) : clock(std::move(screenshot)) {}

    Win32Registry registry;
    MemoryPrompt prompt;
    MemoryShell shell;
    ShortClock clock;
    Win32Desktop desktop;
    Win32DialogHost dialogs{Language::Chinese};
    Win32SystemFolders folders;
    Win32VersionInfo version;
    MemoryFiles files;
    const TargetSystem target{registry, version, folders};
    const HostMachine host{prompt, shell, clock, desktop, dialogs, files};
};

void PrintLaunch(const MemoryShell::Started& start)
{
    std::cout << "Launch: " << start.file << " [" << start.parameters << "] in [" << start.directory << "] show "
              << start.show << "\n";
}

TEST(SystemActionsOnWindows, TheMessengerRemovalShowsItsWaitBoxAndStartsTheInstallerFromTheSystemFolder)
{
    Services s(L"wait-box-messenger");
    s.prompt.Answer(kAnswerYes);
    actions::RemoveMessenger(s.target, s.host, Language::Chinese);

    EXPECT_TRUE(s.clock.waitBoxShown);
    EXPECT_EQ("Microsoft Messenger 即將解除\n安裝，請稍候。若系統要求重新\n啟動，請您不要拒絕。" + std::string(25, ' '),
              s.clock.waitText);
    EXPECT_FALSE(VisibleDialogWith(IDC_WAIT_TEXT)) << "the wait box outlived its action";
    ASSERT_EQ(1u, s.shell.Starts().size());
    const MemoryShell::Started& start = s.shell.Starts()[0];
    PrintLaunch(start);
    const std::string root = actions::SystemRoot(s.target);
    EXPECT_FALSE(root.empty());
    EXPECT_EQ(SystemDirectory() + "\\RunDll32.exe", start.file);
    EXPECT_EQ("advpack.dll,LaunchINFSection " + root + "\\INF\\msmsgs.inf,BLC.Remove", start.parameters);
    EXPECT_EQ(root, start.directory);
}

TEST(SystemActionsOnWindows, TheMediaPlayerRunStartsThePlayerByFullPathBehindItsWaitBox)
{
    Services s(L"wait-box-media-player");
    actions::ConfigureMediaPlayer(s.target, s.host, Language::Chinese);

    EXPECT_TRUE(s.clock.waitBoxShown);
    EXPECT_EQ(0u, s.clock.waitText.find("為了設定組態，現在必須載入 MediaPlayer，")) << s.clock.waitText;
    ASSERT_EQ(1u, s.shell.Starts().size());
    const MemoryShell::Started& start = s.shell.Starts()[0];
    PrintLaunch(start);
    EXPECT_EQ(start.directory + "\\wmplayer.exe", start.file);
    EXPECT_EQ(kShowForceMinimize, start.show);
}

// What the guidance dialog showed, read while it is up.
struct Guidance {
    std::string text;
    BITMAP picture{};
    bool seen = false;
} g_guidance;

// Runs in the dialog's modal loop: reads the dialog, takes the screenshot and
// presses OK.
void CALLBACK OnGuidanceTimer(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = VisibleDialogWith(IDC_USER_PICTURE);
    if (!dialog)
        return;  // not up yet: the next tick
    KillTimer(nullptr, timer);
    g_guidance.seen = true;
    g_guidance.text = ItemText(dialog, IDC_USER_TEXT);
    const auto bitmap =
        reinterpret_cast<HBITMAP>(SendDlgItemMessageW(dialog, IDC_USER_PICTURE, STM_GETIMAGE, IMAGE_BITMAP, 0));
    if (bitmap)
        GetObjectW(bitmap, sizeof(g_guidance.picture), &g_guidance.picture);
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    EXPECT_TRUE(SaveScreenshot(L"guidance-dialog"));
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
}

TEST(SystemActionsOnWindows, TheConsoleOpensFromTheSystemFolderAndTheGuidanceShowsItsPicture)
{
    Services s(L"unused");
    const UINT_PTR timer = SetTimer(nullptr, 0, 300, OnGuidanceTimer);
    ASSERT_NE(0u, timer);
    actions::OpenUserManager(s.target, s.host, Language::Chinese);

    ASSERT_TRUE(g_guidance.seen);
    EXPECT_EQ("現在請選取 [本機使用者和群組] | [使用者]，並刪除\n下列兩個使用者，否則 MS 的傢伙隨時可能造訪您\n的電腦 ;-)" +
                  std::string(23, ' '),
              g_guidance.text);
    EXPECT_EQ(255, g_guidance.picture.bmWidth);
    EXPECT_EQ(122, g_guidance.picture.bmHeight);
    ASSERT_EQ(1u, s.shell.Starts().size());
    PrintLaunch(s.shell.Starts()[0]);
    EXPECT_EQ(SystemDirectory() + "\\lusrmgr.msc", s.shell.Starts()[0].file);
    EXPECT_TRUE(s.shell.Starts()[0].released);
}

// ---- The Win32 ports -------------------------------------------------------

// Counts the messages a window gets, and answers the close message with `closeAnswer`.
class Counter : public SubclassedWindow {
public:
    int user = 0, keys = 0, clicks = 0, paints = 0;
    LRESULT closeAnswer = 0;

protected:
    MessageResult OnMessage(UINT message, WPARAM, LPARAM) override
    {
        user += message == WM_USER;
        keys += message == WM_KEYDOWN;
        clicks += message == WM_LBUTTONDOWN;
        paints += message == WM_PAINT;
        if (message == WM_CLOSE && closeAnswer != 0)
            return Handled(closeAnswer);
        return Declined();
    }
};

HWND MakeWindow(const wchar_t* title, DWORD style)
{
    return CreateWindowW(L"STATIC", title, style, 10, 10, 80, 40, nullptr, nullptr, nullptr, nullptr);
}

TEST(Win32PortsTest, AWaitKeepsWindowsPaintedAndDropsInput)
{
    HWND window = MakeWindow(L"clock", WS_POPUP | WS_VISIBLE);
    Counter counter;
    ASSERT_TRUE(counter.Subclass(window));
    PostMessageW(window, WM_USER, 0, 0);
    PostMessageW(window, WM_KEYDOWN, VK_SPACE, 1);
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    InvalidateRect(window, nullptr, TRUE);

    const DWORD start = GetTickCount();
    Win32Clock().Sleep(200);
    EXPECT_GE(GetTickCount() - start, 190u);
    EXPECT_EQ(1, counter.user);
    EXPECT_GE(counter.paints, 1);
    EXPECT_EQ(0, counter.keys);
    EXPECT_EQ(0, counter.clicks);
    DestroyWindow(window);
}

TEST(Win32PortsTest, TheDesktopFindsAWindowByItsExactTitleAndPassesOnTheCloseAnswer)
{
    Win32Desktop desktop;
    HWND handled = MakeWindow(L"Veilmark desktop test", WS_POPUP);
    EXPECT_EQ(reinterpret_cast<TopWindow>(handled), desktop.FindWindowByTitle("Veilmark desktop test"));
    EXPECT_EQ(nullptr, desktop.FindWindowByTitle("Veilmark desktop"));
    EXPECT_EQ(0, desktop.SendCloseMessage(reinterpret_cast<TopWindow>(handled)));
    EXPECT_FALSE(IsWindow(handled));

    HWND refusing = MakeWindow(L"Veilmark desktop test 2", WS_POPUP);
    Counter counter;
    counter.closeAnswer = 1;
    ASSERT_TRUE(counter.Subclass(refusing));
    EXPECT_EQ(1, desktop.SendCloseMessage(desktop.FindWindowByTitle("Veilmark desktop test 2")));
    EXPECT_TRUE(IsWindow(refusing));
    DestroyWindow(refusing);
}

TEST(Win32PortsTest, TheShellStartsAProgramByFullPathAndHandsOverItsProcess)
{
    Win32Shell shell;
    auto process = shell.Launch(SystemDirectory() + "\\notepad.exe", {}, {}, SW_HIDE);
    ASSERT_TRUE(process);
    EXPECT_TRUE(process->Terminate(0));
}

}  // namespace
