// CAboutDlg: the about box (template 205): who made the program and for
// whom, and a legend of the option tree's pictures. It has no caption bar;
// OK, Enter and Escape close it.
#pragma once

#include <string>

#include "lang/languages.h"
#include "platform/dialog_host.h"

class CAboutDlg final : private IDialogHandler {
public:
    CAboutDlg(IDialogHost& dialogs, Language language) : m_dialogs(dialogs), m_language(language) {}
    CAboutDlg(const CAboutDlg&) = delete;
    CAboutDlg& operator=(const CAboutDlg&) = delete;

    // Runs the box, owned by the main window, until it is closed.
    int DoModal();

    // The text of control 1044 in `language`: in Chinese thirteen lines in
    // five paragraphs, the last line followed by 162 spaces.
    static std::string AboutText(Language language);

private:
    BOOL OnInitDialog(IDialogWindow& window) override;

    IDialogHost& m_dialogs;
    Language m_language;
};
