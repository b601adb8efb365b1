// CWaitDlg: the modeless wait box (template 203) that an action shows while
// it blocks. Its window goes with the object.
#pragma once

#include <memory>
#include <string_view>

#include "platform/dialog_host.h"

class CWaitDlg final : private IDialogHandler {
public:
    // Binds the object to template 203; no window yet.
    explicit CWaitDlg(IDialogHost& dialogs) : m_dialogs(dialogs) {}
    CWaitDlg(const CWaitDlg&) = delete;
    CWaitDlg& operator=(const CWaitDlg&) = delete;

    // Makes the window, modeless and owned by the main window; false when it
    // could not be made (the action goes on without it).
    bool Create();
    // The text of control 1001.
    void SetText(std::string_view text);
    void ShowWindow();

private:
    BOOL OnInitDialog(IDialogWindow&) override { return 1; }
    // The box stays until its action ends: Enter and Escape do not close it.
    bool OnCommand(unsigned id) override { return id == kIdOk || id == kIdCancel; }

    IDialogHost& m_dialogs;
    std::unique_ptr<IDialogWindow> m_window;
};
