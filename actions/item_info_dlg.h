// CItemInfoDlg: the legend (template 211) shown before the status check that
// the menu starts: what the green tick and the red exclamation mark mean.
#pragma once

#include "lang/languages.h"
#include "platform/dialog_host.h"

class CItemInfoDlg final : private IDialogHandler {
public:
    CItemInfoDlg(IDialogHost& dialogs, Language language) : m_dialogs(dialogs), m_language(language) {}
    CItemInfoDlg(const CItemInfoDlg&) = delete;
    CItemInfoDlg& operator=(const CItemInfoDlg&) = delete;

    // Runs the legend, owned by the main window, until it is closed.
    int DoModal();

private:
    // The heading, then the texts beside the tick and the exclamation mark.
    BOOL OnInitDialog(IDialogWindow& window) override;

    IDialogHost& m_dialogs;
    Language m_language;
};
