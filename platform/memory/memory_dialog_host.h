// Dialogs without windows: each one made is recorded with what its class
// put into it, and a test can press its buttons.
#pragma once

#include <deque>
#include <map>
#include <memory>
#include <string>

#include "platform/dialog_host.h"
#include "platform/memory/event_log.h"

class MemoryDialogHost final : public IDialogHost {
public:
    struct Dialog {
        unsigned templateId = 0;
        bool modal = false;
        std::map<int, std::string> texts;
        std::map<int, unsigned> bitmaps;
        bool shown = false;
        bool destroyed = false;
        IDialogHandler* handler = nullptr;
    };

    void LogTo(EventLog* log) { m_log = log; }
    // What a modal run answers; OK unless told otherwise.
    void SetModalResult(int result) { m_modalResult = result; }
    void FailCreation(bool fail) { m_fail = fail; }
    const std::deque<Dialog>& Dialogs() const { return m_dialogs; }
    // Presses the button `id` of a dialog that is still open: true when its
    // class handled the command (else the default would end the dialog).
    bool Press(std::size_t dialog, unsigned id) { return m_dialogs.at(dialog).handler->OnCommand(id); }

    int RunModal(unsigned templateId, IDialogHandler& handler) override
    {
        if (m_fail)
            return -1;
        Window window(*this, Make(templateId, true, handler));
        handler.OnInitDialog(window);
        Record(m_log, "run " + std::to_string(templateId));
        window.Destroy();
        return m_modalResult;
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
        void SetItemBitmap(int id, unsigned bitmapId) override { Mine().bitmaps[id] = bitmapId; }
        void Show() override
        {
            Mine().shown = true;
            Record(m_host.m_log, "show " + std::to_string(Mine().templateId));
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
    int m_modalResult = kIdOk;
    bool m_fail = false;
    EventLog* m_log = nullptr;
};
