// The help command with its file beside the program: the help viewer opens
// with the file's own title and its contents in Chinese. Run in a
// Traditional Chinese locale (code page 950), as on the users' systems: the
// title and the contents are ANSI text of that code page.
#include "tests/win/e2e/app_test.h"

#include <commctrl.h>

namespace {

constexpr wchar_t kViewerTitle[] = L"Veilmark 說明";
// The start page, the six groups and the nineteen options.
constexpr LRESULT kContentsEntries = 1 + 6 + 19;

// Named functions, not lambdas: on i686 a callback must be stdcall.
BOOL CALLBACK TakeViewer(HWND window, LPARAM param)
{
    wchar_t title[64] = {};
    GetWindowTextW(window, title, 64);
    if (!IsWindowVisible(window) || wcscmp(title, kViewerTitle) != 0)
        return TRUE;
    *reinterpret_cast<HWND*>(param) = window;
    return FALSE;
}

BOOL CALLBACK TakeTree(HWND window, LPARAM param)
{
    if (ClassName(window) != WC_TREEVIEWW)
        return TRUE;
    *reinterpret_cast<HWND*>(param) = window;
    return FALSE;
}

HWND FindViewer()
{
    HWND found = nullptr;
    EnumWindows(TakeViewer, reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND FindContentsTree(HWND viewer)
{
    HWND found = nullptr;
    EnumChildWindows(viewer, TakeTree, reinterpret_cast<LPARAM>(&found));
    return found;
}

TEST_F(AppTest, HelpViewerOpensTheFileBesideTheProgramWithItsChineseTitleAndContents)
{
    if (GetACP() != 950)
        GTEST_SKIP() << "needs a Traditional Chinese locale (code page 950), not " << GetACP();
    Start();
    HWND main = WaitForMainWindow();
    ASSERT_TRUE(main);
    PostMessageW(main, WM_COMMAND, IDM_HELP_INDEX, 0);

    HWND viewer = nullptr;
    for (DWORD start = GetTickCount(); !viewer && GetTickCount() - start < kStartTimeoutMs; Sleep(100))
        viewer = FindViewer();
    ASSERT_TRUE(viewer) << "no window titled Veilmark 說明; " << Status(m_app.Snapshot());
    HWND contents = FindContentsTree(viewer);
    ASSERT_TRUE(contents) << "the viewer shows no contents";
    LRESULT entries = 0;
    for (DWORD start = GetTickCount(); entries < kContentsEntries && GetTickCount() - start < kExitTimeoutMs;
         Sleep(100))
        entries = SendMessageW(contents, TVM_GETCOUNT, 0, 0);
    EXPECT_EQ(kContentsEntries, entries);
    Sleep(kQuietMs);  // let the viewer paint before the picture
    Screenshot(L"help_viewer");

    ExpectKeepsRunning("the help viewer opened");
    PostMessageW(viewer, WM_CLOSE, 0, 0);
    PostMessageW(main, WM_CLOSE, 0, 0);
    ExpectEndsAtOnce("WM_CLOSE with the help viewer open");
}

}  // namespace
