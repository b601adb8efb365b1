// The main dialog's window without a window: the tree view it hands out is
// an in-memory one, and every call is recorded in order.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/main_window.h"
#include "platform/memory/memory_link_label.h"
#include "platform/memory/memory_tree_view.h"

class MemoryMainWindow final : public IMainWindow {
public:
    const std::vector<std::string>& Calls() const { return m_calls; }
    const std::string& Title() const { return m_title; }
    bool CloseRequested() const { return m_closeRequested; }
    // The controls handed out by BindControls; owned by whoever took them.
    MemoryTreeView* TreeView() const { return m_tree; }
    MemoryLinkLabel* LinkLabel() const { return m_link; }

    MainControls BindControls() override
    {
        m_calls.push_back("BindControls");
        auto view = std::make_unique<MemoryTreeView>();
        auto link = std::make_unique<MemoryLinkLabel>();
        m_tree = view.get();
        m_link = link.get();
        return {std::move(view), std::move(link)};
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
    std::string StartCaption() const override { return m_startCaption; }
    void SetStartCaption(std::string_view caption) override { m_startCaption = caption; }

private:
    std::vector<std::string> m_calls;
    std::string m_title;
    std::string m_startCaption = "開始";  // as the template gives it
    bool m_closeRequested = false;
    MemoryTreeView* m_tree = nullptr;
    MemoryLinkLabel* m_link = nullptr;
};
