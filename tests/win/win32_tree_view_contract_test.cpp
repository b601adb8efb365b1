// The tree view contract on the main dialog's own SysTreeView32, through
// the Win32 adapter: what the in-memory tree promises is checked here
// against comctl32.
#include <memory>

#include "platform/win32/framework/dialog.h"
#include "platform/win32/text.h"
#include "platform/win32/win32.h"
#include "platform/win32/win32_tree_view.h"
#include "tests/tree_view_contract.h"

namespace {

void Pump()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// A main dialog of its own for each test, whose tree starts empty; the
// dialog hands the tree its own notifications, as the program's window does.
class Win32TreeViewEnv {
public:
    Win32TreeViewEnv()
    {
        static const bool registered = [] {
            INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_TREEVIEW_CLASSES};
            return InitCommonControlsEx(&controls) != FALSE;
        }();
        EXPECT_TRUE(registered);
        if (!m_dialog.Create())
            ADD_FAILURE() << "the main dialog cannot be made";
        m_tree = m_dialog.GetDlgItem(IDC_OPTION_TREE);
        m_view = std::make_unique<Win32TreeView>(m_tree, GetModuleHandleW(nullptr));
        Pump();
    }
    ~Win32TreeViewEnv()
    {
        m_view.reset();
        m_dialog.DestroyWindow();
        Pump();
    }
    Win32TreeViewEnv(const Win32TreeViewEnv&) = delete;
    Win32TreeViewEnv& operator=(const Win32TreeViewEnv&) = delete;

    ITreeView& View() { return *m_view; }

    // The press is sent and its release posted, as the tree waits for the
    // release inside its handling of the press. The cursor is put there
    // first, where the tree's click notification finds it.
    void Click(TreePoint point)
    {
        MoveCursorTo(point);
        const LPARAM at = MAKELPARAM(point.x, point.y);
        PostMessageW(m_tree, WM_LBUTTONUP, 0, at);
        SendMessageW(m_tree, WM_LBUTTONDOWN, MK_LBUTTON, at);
        Pump();
    }
    void Type(unsigned charCode)
    {
        SendMessageW(m_tree, WM_CHAR, charCode, 1);
        Pump();
    }
    void Scroll(bool vertical)
    {
        SendMessageW(m_tree, vertical ? WM_VSCROLL : WM_HSCROLL, SB_LINEDOWN, 0);
        Pump();
    }
    void DestroyTree() { DestroyWindow(m_tree); }

    bool FindEditor(int id, TreeRect& rect)
    {
        const HWND editor = GetDlgItem(m_tree, id);
        if (!editor || !(GetWindowLongW(editor, GWL_STYLE) & WS_VISIBLE))
            return false;
        RECT area{};
        GetWindowRect(editor, &area);
        MapWindowPoints(nullptr, m_tree, reinterpret_cast<POINT*>(&area), 2);
        rect = {area.left, area.top, area.right, area.bottom};
        return true;
    }
    void TypeIntoEditor(int id, std::string_view text)
    {
        SetWindowTextW(GetDlgItem(m_tree, id), Utf8ToWide(text).c_str());
    }
    void AddEntries(int id, const std::vector<std::string>& entries)
    {
        for (const std::string& entry : entries)
            SendDlgItemMessageW(m_tree, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Utf8ToWide(entry).c_str()));
    }

private:
    // Waits until a message posted now carries the cursor's new place:
    // Wine takes the move from the X server a little later.
    void MoveCursorTo(TreePoint point)
    {
        POINT screen{point.x, point.y};
        ClientToScreen(m_tree, &screen);
        for (int attempt = 0; attempt < 300; ++attempt) {
            SetCursorPos(screen.x, screen.y);
            Pump();
            PostMessageW(m_tree, WM_NULL, 0, 0);
            MSG msg;
            PeekMessageW(&msg, m_tree, WM_NULL, WM_NULL, PM_REMOVE);
            const DWORD position = GetMessagePos();
            if (static_cast<short>(LOWORD(position)) == screen.x && static_cast<short>(HIWORD(position)) == screen.y)
                return;
            Sleep(10);
        }
        ADD_FAILURE() << "the cursor does not move to " << screen.x << "," << screen.y;
    }

    Modeless<::Dialog> m_dialog{IDD_MAIN_DIALOG};
    HWND m_tree = nullptr;
    std::unique_ptr<Win32TreeView> m_view;
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, TreeViewContract, ::testing::Types<Win32TreeViewEnv>);
