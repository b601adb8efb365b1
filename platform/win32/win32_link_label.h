// The link label's window: a static control, subclassed to draw its text in
// the colour its class chooses, in an underlined copy of its font, and to
// tell its class of the mouse and of its own click.
#pragma once

#include "platform/link_label.h"
#include "platform/win32/framework/subclassed_window.h"
#include "platform/win32/win32.h"

class Win32LinkLabel final : public ILinkLabel, private SubclassedWindow {
public:
    explicit Win32LinkLabel(HWND label);
    // Releases the link font.
    ~Win32LinkLabel() override;

    void SetHandler(ILinkLabelHandler* handler) override { m_handler = handler; }
    std::string Text() const override;
    std::uint32_t Style() const override;
    void SetStyle(std::uint32_t style) override;
    void RequestMouseLeave() override;
    void Invalidate(bool erase) override;
    void Update() override;

private:
    MessageResult OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    MessageResult OnReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Draws the text at the top left in one call, no wrapping, no background.
    void OnPaint();
    // The underlined copy of the control's font, made on first use; null
    // while the control has no font.
    HFONT LinkFont();

    HWND m_label;
    ILinkLabelHandler* m_handler = nullptr;
    HFONT m_linkFont = nullptr;
};
