// The program's smaller dialogs on real windows: each runs on our dialog
// framework and hands its initialisation and commands to its dialog class.
#pragma once

#include "lang/languages.h"
#include "platform/dialog_host.h"
#include "platform/win32/win32.h"

class Win32DialogHost final : public IDialogHost {
public:
    // The dialogs of `language` (the Windows language id of their templates).
    explicit Win32DialogHost(Language language) : m_language(language) {}

    // The window that owns the dialogs; none until the main window exists.
    void SetOwner(HWND owner) { m_owner = owner; }

    int RunModal(unsigned templateId, IDialogHandler& handler) override;
    std::unique_ptr<IDialogWindow> CreateModeless(unsigned templateId, IDialogHandler& handler) override;

private:
    Language m_language;
    HWND m_owner = nullptr;
};
