// The main dialog's window: template 202 run by our dialog framework. It
// binds the controls, carries the menu bar and the Application icon, routes
// the dialog's messages and commands to CMainDlg, and paints the icon while
// the dialog is minimised.
#pragma once

#include "app/main_dlg.h"
#include "platform/main_window.h"
#include "platform/win32/framework/controls.h"
#include "platform/win32/framework/dialog.h"
#include "platform/win32/framework/message_map.h"
#include "platform/win32/win32_dialog_host.h"
#include "platform/win32/win32_prompt.h"

class MainDialogWindow final : public Dialog, private IMainWindow {
public:
    // `prompt` and `dialogs` get this window as the owner of their boxes and
    // dialogs once it exists.
    // The template and menu of `language` (a Windows language id).
    MainDialogWindow(CMainDlg& dlg, Win32Prompt& prompt, Win32DialogHost& dialogs, Language language);

    HICON ApplicationIcon() const { return m_hIcon; }

private:
    BOOL OnInitDialog() override;
    MessageResult RouteMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnDestroy() override;

    MessageResult OnPaint(WPARAM wParam, LPARAM lParam);
    MessageResult OnQueryDragIcon(WPARAM wParam, LPARAM lParam);

    // IMainWindow: what CMainDlg's initialisation does to the window.
    MainControls BindControls() override;
    void InitCommonControls() override;
    void SetLargeIcon() override;
    void SendCloseRequest() override;
    void AttachMenu(unsigned menuId) override;
    void SetTitle(std::string_view title) override;
    std::string StartCaption() const override { return m_btnStart.Text(); }
    void SetStartCaption(std::string_view caption) override { m_btnStart.SetText(caption); }

    static const MessageRoute<MainDialogWindow> kRoutes[];

    CMainDlg& m_dlg;
    Win32Prompt& m_prompt;
    Win32DialogHost& m_dialogs;
    Menu m_menu;
    Button m_btnCancel;
    Button m_btnStart;
    HICON m_hIcon = nullptr;
    bool m_commandRunning = false;  // a command of CMainDlg is being carried out
    bool m_closeHeld = false;       // a close request came meanwhile
};
