// Dialogs without windows: each one made is recorded with what its class put
// into it, and a test acts on it as a user would: presses buttons, picks list
// entries, types into edits, also while a modal dialog runs.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/dialog_host.h"
#include "platform/memory/event_log.h"

class MemoryDialogHost final : public IDialogHost {
public:
    // One dialog as its class left it.
    struct Dialog {
        unsigned templateId = 0;
        bool modal = false;
        std::map<int, std::string> texts;
        std::map<int, unsigned> bitmaps;
        std::map<int, bool> enabled;  // items enabled or disabled by the class
        std::map<int, std::vector<std::string>> lists;
        std::map<int, int> selections;
        bool shown = false;
        bool destroyed = false;
        IDialogHandler* handler = nullptr;  // null once destroyed
        bool ended = false;  // OK or Cancel went to the default: the dialog would end
    };

    // The user's side of an open dialog.
    class User {
    public:
        User(MemoryDialogHost& host, std::size_t index) : m_host(host), m_index(index) {}
        // Presses a button (or Enter, Escape: kIdOk, kIdCancel); true when
        // the class handled it, else OK and Cancel end the dialog.
        bool Press(unsigned id);
        // Picks entry `position` of the drop-down list `id`.
        void Pick(int id, int position);
        // Replaces the text of the edit `id`, as typing does.
        void Type(int id, std::string_view text);
        const Dialog& Shown() const { return m_host.m_dialogs[m_index]; }

    private:
        MemoryDialogHost& m_host;
        std::size_t m_index;
    };

    void LogTo(EventLog* log) { m_log = log; }
    // What a modal run does while it is open: the user's actions, and the
    // id the dialog ends with. Without one, it ends with OK at once.
    void WhileModal(std::function<int(User&)> script) { m_script = std::move(script); }
    void FailCreation(bool fail) { m_fail = fail; }
    const std::deque<Dialog>& Dialogs() const { return m_dialogs; }
    User UserOf(std::size_t dialog) { return User(*this, dialog); }

    int RunModal(unsigned templateId, IDialogHandler& handler) override
    {
        if (m_fail)
            return -1;
        Window window(*this, Make(templateId, true, handler));
        handler.OnInitDialog(window);
        Record(m_log, "run " + std::to_string(templateId));
        User user(*this, m_dialogs.size() - 1);
        const int result = m_script ? m_script(user) : kIdOk;
        window.Destroy();
        return result;
    }

    std::unique_ptr<IDialogWindow> CreateModeless(unsigned templateId, IDialogHandler& handler) override
    {
        if (m_fail)
            return nullptr;
        auto window = std::make_unique<Window>(*this, Make(templateId, false, handler));
        handler.OnInitDialog(*window);
        return window;
    }

private:
    class Window final : public IDialogWindow {
    public:
        Window(MemoryDialogHost& host, std::size_t index) : m_host(host), m_index(index) {}
        ~Window() override { Destroy(); }

        void SetItemText(int id, std::string_view text) override
        {
            Mine().texts[id] = text;
            Record(m_host.m_log, "text " + std::to_string(id) + ": " + std::string(text));
        }
        std::string ItemText(int id) const override
        {
            const auto found = Mine().texts.find(id);
            return found == Mine().texts.end() ? std::string() : found->second;
        }
        void EnableItem(int id, bool enable) override { Mine().enabled[id] = enable; }
        void SetItemBitmap(int id, unsigned bitmapId) override { Mine().bitmaps[id] = bitmapId; }
        void Show() override
        {
            Mine().shown = true;
            Record(m_host.m_log, "show " + std::to_string(Mine().templateId));
        }
        void AddListEntry(int id, std::string_view text) override { Mine().lists[id].emplace_back(text); }
        void SelectListEntry(int id, int position) override
        {
            const auto count = static_cast<int>(Mine().lists[id].size());
            Mine().selections[id] = position >= 0 && position < count ? position : -1;
        }
        int SelectedListEntry(int id) const override
        {
            const auto found = Mine().selections.find(id);
            return found == Mine().selections.end() ? -1 : found->second;
        }
        std::string ListEntryText(int id, int position) const override
        {
            const auto found = Mine().lists.find(id);
            if (found == Mine().lists.end() || position < 0 || position >= static_cast<int>(found->second.size()))
                return {};
            return found->second[static_cast<std::size_t>(position)];
        }

        void Destroy()
        {
            if (Mine().destroyed)
                return;
            Mine().destroyed = true;
            Mine().handler = nullptr;
            Record(m_host.m_log, "destroy " + std::to_string(Mine().templateId));
        }

    private:
        Dialog& Mine() { return m_host.m_dialogs[m_index]; }
        const Dialog& Mine() const { return m_host.m_dialogs[m_index]; }

        MemoryDialogHost& m_host;
        std::size_t m_index;
    };

    std::size_t Make(unsigned templateId, bool modal, IDialogHandler& handler)
    {
        Dialog dialog;
        dialog.templateId = templateId;
        dialog.modal = modal;
        dialog.handler = &handler;
        m_dialogs.push_back(dialog);
        Record(m_log, std::string(modal ? "modal " : "modeless ") + std::to_string(templateId));
        return m_dialogs.size() - 1;
    }

    std::deque<Dialog> m_dialogs;
    std::function<int(User&)> m_script;
    bool m_fail = false;
    EventLog* m_log = nullptr;
};

inline bool MemoryDialogHost::User::Press(unsigned id)
{
    Dialog& dialog = m_host.m_dialogs[m_index];
    if (dialog.handler->OnCommand(id))
        return true;
    dialog.ended = dialog.ended || id == kIdOk || id == kIdCancel;
    return false;
}

inline void MemoryDialogHost::User::Pick(int id, int position)
{
    Dialog& dialog = m_host.m_dialogs[m_index];
    dialog.selections[id] = position;
    dialog.handler->OnNotification(static_cast<unsigned>(id), kSelectionChanged);
}

inline void MemoryDialogHost::User::Type(int id, std::string_view text)
{
    Dialog& dialog = m_host.m_dialogs[m_index];
    dialog.texts[id] = text;
    dialog.handler->OnNotification(static_cast<unsigned>(id), kTextChanged);
}
