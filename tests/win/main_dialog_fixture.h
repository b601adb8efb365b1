// The main dialog template with the option tree built on it, shown on the
// test's desktop, and input sent to the real tree control.
#pragma once

#include <memory>

#include <gtest/gtest.h>

#include "app/main_dlg.h"
#include "platform/memory/memory_clock.h"
#include "platform/memory/memory_desktop.h"
#include "platform/memory/memory_dialog_host.h"
#include "platform/memory/memory_prompt.h"
#include "platform/memory/memory_registry.h"
#include "platform/memory/memory_files.h"
#include "platform/memory/memory_shell.h"
#include "platform/memory/memory_system_folders.h"
#include "platform/memory/memory_version_info.h"
#include "platform/win32/framework/dialog.h"
#include "platform/win32/resource_string_table.h"
#include "platform/win32/win32.h"
#include "platform/win32/win32_tree_view.h"
#include "res/resource.h"

class MainDialogFixture {
public:
    MainDialogFixture()
        : m_strings(GetModuleHandleW(nullptr)),
          m_dialog({m_strings, {m_registry, m_version, m_folders}, {m_prompt, m_shell, m_clock, m_desktop, m_dialogs, m_files}, Language::Chinese}),
          m_window(SharedWindow()),
          m_tree(GetDlgItem(m_window, IDC_OPTION_TREE))
    {
        m_dialog.Tree().Attach(std::make_unique<Win32TreeView>(m_tree, GetModuleHandleW(nullptr)));
    }

    void Build(int languageBase = 60, int homeEdition = 0)
    {
        m_dialog.SetLanguageBase(languageBase);
        m_dialog.SetHomeEdition(homeEdition);
        m_dialog.BuildOptionTree();
        m_dialog.Tree().SelectItem(m_dialog.FirstGroupItem());
        Pump();
    }

    // The item's image as the control itself holds it (normal and selected).
    int Image(OptionKey key) const { return Image(Item(key)); }
    int Image(TreeItem item) const
    {
        TVITEMW tv{};
        tv.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        tv.hItem = reinterpret_cast<HTREEITEM>(item);
        if (!SendMessageW(m_tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv)))
            return -1;
        return tv.iImage == tv.iSelectedImage ? tv.iImage : -2;
    }

    TreeItem Item(OptionKey key) const { return m_dialog.Item(key); }
    TreeItem Caret() const
    {
        return reinterpret_cast<TreeItem>(SendMessageW(m_tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    }

    // A left click on the middle of the item's label, as the mouse sends it.
    void Click(OptionKey key)
    {
        const auto item = reinterpret_cast<HTREEITEM>(Item(key));
        TreeView_EnsureVisible(m_tree, item);
        RECT label{};
        if (!TreeView_GetItemRect(m_tree, item, &label, TRUE))
            ADD_FAILURE() << "the item to click has no place on the screen";
        const LPARAM at = MAKELPARAM((label.left + label.right) / 2, (label.top + label.bottom) / 2);
        // The tree waits for the release inside its press handling.
        PostMessageW(m_tree, WM_LBUTTONUP, 0, at);
        SendMessageW(m_tree, WM_LBUTTONDOWN, MK_LBUTTON, at);
        Pump();
    }

    void PressSpace()
    {
        SendMessageW(m_tree, WM_CHAR, L' ', 1);
        Pump();
    }

    static void Pump()
    {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }

    CMainDlg& Dialog() { return m_dialog; }
    HWND Tree() const { return m_tree; }

private:
    // One dialog window serves every test of the program: each test attaches
    // a fresh adapter and rebuilds the tree, so no state carries over. It is
    // the main dialog's template on the framework's dialog, which hands the
    // tree its own notifications as the program's window does.
    static HWND SharedWindow()
    {
        static Modeless<::Dialog> dialog(IDD_MAIN_DIALOG);
        if (!dialog.Handle()) {
            INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_TREEVIEW_CLASSES};
            InitCommonControlsEx(&controls);
            dialog.Create();
        }
        return dialog.Handle();
    }

    ResourceStringTable m_strings;
    MemoryRegistry m_registry;
    MemoryPrompt m_prompt;
    MemoryShell m_shell;
    MemoryVersionInfo m_version;
    MemoryClock m_clock;
    MemoryDesktop m_desktop{m_clock};
    MemoryDialogHost m_dialogs;
    MemorySystemFolders m_folders;
    MemoryFiles m_files;
    CMainDlg m_dialog;
    HWND m_window = nullptr;
    HWND m_tree = nullptr;
};
