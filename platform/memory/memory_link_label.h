// A link label without a window: it records what its class asks of it, and
// a test moves the mouse over it and clicks it.
#pragma once

#include <string>

#include "platform/link_label.h"

class MemoryLinkLabel final : public ILinkLabel {
public:
    std::string text = "http://veilmark.example.org";
    std::uint32_t style = 0x50020100;  // visible child, group, left-aligned, notify
    int leaveRequests = 0;
    int invalidatedErasing = 0;
    int invalidatedKeeping = 0;
    int updates = 0;

    // The user's side: what the window would tell the handler.
    void MoveMouse() { Handler().OnMouseMove(); }
    void Leave() { Handler().OnMouseLeave(); }
    void Click() { Handler().OnClicked(); }
    ILinkLabelHandler& Handler() const { return *m_handler; }

    void SetHandler(ILinkLabelHandler* handler) override { m_handler = handler; }
    std::string Text() const override { return text; }
    std::uint32_t Style() const override { return style; }
    void SetStyle(std::uint32_t newStyle) override { style = newStyle; }
    void RequestMouseLeave() override { ++leaveRequests; }
    void Invalidate(bool erase) override { ++(erase ? invalidatedErasing : invalidatedKeeping); }
    void Update() override { ++updates; }

private:
    ILinkLabelHandler* m_handler = nullptr;
};
