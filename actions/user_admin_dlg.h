// CUserAdminDlg: the guidance dialog (template 209) beside the console of
// local users: which two support accounts to delete, and a picture of them.
#pragma once

#include "lang/languages.h"
#include "platform/dialog_host.h"

class CUserAdminDlg final : private IDialogHandler {
public:
    CUserAdminDlg(IDialogHost& dialogs, Language language) : m_dialogs(dialogs), m_language(language) {}
    CUserAdminDlg(const CUserAdminDlg&) = delete;
    CUserAdminDlg& operator=(const CUserAdminDlg&) = delete;

    // Runs the dialog, owned by the main window, until it is closed.
    int DoModal();

private:
    // Puts the guidance text and the picture of the user list in.
    BOOL OnInitDialog(IDialogWindow& window) override;

    IDialogHost& m_dialogs;
    Language m_language;
};
