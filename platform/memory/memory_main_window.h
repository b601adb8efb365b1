// The main dialog's window without a window: the tree is bound to an
// in-memory tree view, and every call is recorded in order.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/main_window.h"
#include "platform/memory/memory_tree_view.h"
#include "treeopts/tree_options_ctrl.h"

class MemoryMainWindow final : public IMainWindow {
public:
    const std::vector<std::string>& Calls() const { return m_calls; }
    const std::string& Title() const { return m_title; }
    bool CloseRequested() const { return m_closeRequested; }
    MemoryTreeView* TreeView() const { return m_tree; }

    void DoDataExchange(CTreeOptionsCtrl& tree) override
    {
        m_calls.push_back("DoDataExchange");
        auto view = std::make_unique<MemoryTreeView>();
        m_tree = view.get();
        tree.Attach(std::move(view));
    }
    void InitCommonControls() override { m_calls.push_back("InitCommonControls"); }
    void SetLargeIcon() override { m_calls.push_back("SetLargeIcon"); }
    void SendCloseRequest() override
    {
        m_calls.push_back("SendCloseRequest");
        m_closeRequested = true;
    }
    void AttachMenu(unsigned menuId) override { m_calls.push_back("AttachMenu " + std::to_string(menuId)); }
    void SetTitle(std::string_view title) override
    {
        m_calls.push_back("SetTitle");
        m_title = title;
    }

private:
    std::vector<std::string> m_calls;
    std::string m_title;
    bool m_closeRequested = false;
    MemoryTreeView* m_tree = nullptr;
};
