#include "host/main_dialog_window.h"

#include <memory>

#include "app/icon_layout.h"
#include "platform/win32/text.h"
#include "platform/win32/win32_link_label.h"
#include "platform/win32/win32_tree_view.h"
#include "res/resource.h"

// The window's own messages. Commands go to CMainDlg's command table; those
// it has no handler for go to the dialog's defaults: OK and Cancel end it.
const MessageRoute<MainDialogWindow> MainDialogWindow::kRoutes[] = {
    OnMessage(WM_PAINT, &MainDialogWindow::OnPaint),
    OnMessage(WM_QUERYDRAGICON, &MainDialogWindow::OnQueryDragIcon),
};

MainDialogWindow::MainDialogWindow(CMainDlg& dlg, Win32Prompt& prompt, Win32DialogHost& dialogs, Language language)
    : Dialog(IDD_MAIN_DIALOG, language), m_dlg(dlg), m_prompt(prompt), m_dialogs(dialogs)
{
    // Shared with the module's resources: loaded at the standard large-icon
    // size and never released by the dialog.
    m_hIcon = LoadIconW(Module(), MAKEINTRESOURCEW(IDI_APP_ICON));
}

BOOL MainDialogWindow::OnInitDialog()
{
    m_prompt.SetOwner(Handle());
    m_dialogs.SetOwner(Handle());
    return m_dlg.OnInitDialog(*this);
}

MessageResult MainDialogWindow::RouteMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    const bool command = message == WM_COMMAND && IsCommand(wParam, lParam);
    if (m_commandRunning && (message == WM_CLOSE || (command && LOWORD(wParam) == IDCANCEL))) {
        // A close request while a command runs (the taskbar's Close, or one
        // posted by another program while a pass waits) would end the dialog
        // in the middle of the pass: it is carried out once the command ends.
        m_closeHeld = true;
        return Handled();
    }
    if (command) {
        // One command at a time: one posted while another waits is dropped.
        if (m_commandRunning)
            return Handled();
        m_commandRunning = true;
        const bool handled = m_dlg.OnCommand(LOWORD(wParam));
        m_commandRunning = false;
        if (m_closeHeld) {
            m_closeHeld = false;
            SendCloseRequest();
        }
        if (handled)
            return Handled();
    }
    return RouteThrough(kRoutes, *this, message, wParam, lParam);
}

void MainDialogWindow::OnDestroy()
{
    // The menu bar goes with the window.
    m_menu.Detach();
    m_prompt.SetOwner(nullptr);
    m_dialogs.SetOwner(nullptr);
}

MessageResult MainDialogWindow::OnPaint(WPARAM, LPARAM)
{
    if (!IsIconic(Handle()))
        return Declined();

    PAINTSTRUCT paint;
    HDC dc = BeginPaint(Handle(), &paint);
    SendMessageW(Handle(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client;
    GetClientRect(Handle(), &client);
    const IconOrigin at = CentredIconOrigin(client.right - client.left, client.bottom - client.top,
                                            GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));
    DrawIcon(dc, at.x, at.y, m_hIcon);
    EndPaint(Handle(), &paint);
    return Handled();
}

MessageResult MainDialogWindow::OnQueryDragIcon(WPARAM, LPARAM)
{
    return Handled(reinterpret_cast<LRESULT>(m_hIcon));
}

MainControls MainDialogWindow::BindControls()
{
    m_btnCancel.Attach(GetDlgItem(IDCANCEL));
    m_btnStart.Attach(GetDlgItem(IDC_START));
    return {std::make_unique<Win32TreeView>(GetDlgItem(IDC_OPTION_TREE), Module()),
            std::make_unique<Win32LinkLabel>(GetDlgItem(IDC_HOMEPAGE_LINK))};
}

void MainDialogWindow::InitCommonControls()
{
    ::InitCommonControls();
}

void MainDialogWindow::SetLargeIcon()
{
    SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
}

void MainDialogWindow::SendCloseRequest()
{
    Dialog::SendCloseRequest();
}

void MainDialogWindow::AttachMenu(unsigned menuId)
{
    if (m_menu.Load(Module(), menuId, UiLanguage()))
        SetMenu(Handle(), m_menu.Handle());
}

void MainDialogWindow::SetTitle(std::string_view title)
{
    SetWindowTextW(Handle(), Utf8ToWide(title).c_str());
}
