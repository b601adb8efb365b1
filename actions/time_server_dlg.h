// CTimeServerDlg: the choice of the internet time server (template 213).
// The list shows the servers that Windows keeps; Apply makes the selected
// one the current server and switches the time service back on; Add puts a
// typed address on the list, to be applied like the others.
//
// Each server keeps the number of the value it was read from, so that
// applying it rewrites that value and no other: the numbers need not run
// 1, 2, 3 without gaps. An added server gets a number no value holds when
// it is first applied.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "lang/languages.h"
#include "platform/dialog_host.h"
#include "platform/prompt.h"
#include "platform/registry.h"

class CTimeServerDlg final : private IDialogHandler {
public:
    CTimeServerDlg(IDialogHost& dialogs, IRegistry& registry, IPrompt& prompt, Language language)
        : m_dialogs(dialogs), m_registry(registry), m_prompt(prompt), m_language(language)
    {
    }
    CTimeServerDlg(const CTimeServerDlg&) = delete;
    CTimeServerDlg& operator=(const CTimeServerDlg&) = delete;

    // Runs the dialog, owned by the main window, until OK or Cancel.
    int DoModal();

    // The dialog's handlers, for its message map.
    // Lists every numbered server of the registry and selects the current one.
    void FillServerList();
    // After the user's Yes: the selected server becomes the time service's
    // server and the current one of the list, and the service starts
    // automatically.
    void OnApply();
    // Appends the typed address to the list (not to the registry).
    void OnAdd();
    void OnServerSelChange();
    void OnAddressChange();

private:
    BOOL OnInitDialog(IDialogWindow& window) override;
    bool OnCommand(unsigned id) override;
    bool OnNotification(unsigned id, unsigned code) override;
    bool RouteEvent(unsigned id, unsigned code);
    // A number for an added server: one more than the highest that a value
    // of the list key or a server of this dialog holds.
    std::uint32_t FreeNumber();

    // One entry of the list, at the same position.
    struct Server {
        std::uint32_t number;  // the value it is stored as; 0 until an added one is applied
        std::string address;
    };

    IDialogHost& m_dialogs;
    IRegistry& m_registry;
    IPrompt& m_prompt;
    Language m_language;
    IDialogWindow* m_window = nullptr;  // while the dialog runs
    std::vector<Server> m_servers;
};
