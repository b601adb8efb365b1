#include "platform/win32/win32_link_label.h"

#include "platform/win32/framework/controls.h"
#include "platform/win32/text.h"

namespace {

constexpr UINT kMouseLeave = 0x02A3;  // WM_MOUSELEAVE

}  // namespace

Win32LinkLabel::Win32LinkLabel(HWND label) : m_label(label)
{
    Subclass(m_label);
}

Win32LinkLabel::~Win32LinkLabel()
{
    Unsubclass();
    if (m_linkFont)
        DeleteObject(m_linkFont);
}

std::string Win32LinkLabel::Text() const
{
    Control label;
    label.Attach(m_label);
    return label.Text();
}

std::uint32_t Win32LinkLabel::Style() const
{
    return static_cast<std::uint32_t>(GetWindowLongW(m_label, GWL_STYLE));
}

void Win32LinkLabel::SetStyle(std::uint32_t style)
{
    SetWindowLongW(m_label, GWL_STYLE, static_cast<LONG>(style));
}

void Win32LinkLabel::RequestMouseLeave()
{
    TRACKMOUSEEVENT request{sizeof(request), TME_LEAVE, m_label, 0};
    _TrackMouseEvent(&request);
}

void Win32LinkLabel::Invalidate(bool erase)
{
    InvalidateRect(m_label, nullptr, erase ? TRUE : FALSE);
}

void Win32LinkLabel::Update()
{
    UpdateWindow(m_label);
}

HFONT Win32LinkLabel::LinkFont()
{
    if (m_linkFont)
        return m_linkFont;
    const auto font = reinterpret_cast<HFONT>(SendMessageW(m_label, WM_GETFONT, 0, 0));
    LOGFONTW description{};
    if (!font || !GetObjectW(font, sizeof(description), &description))
        return nullptr;
    description.lfUnderline = TRUE;
    m_linkFont = CreateFontIndirectW(&description);
    return m_linkFont;
}

void Win32LinkLabel::OnPaint()
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_label, &paint);
    HFONT font = LinkFont();
    HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
    SetTextColor(dc, m_handler->PaintColour());
    SetBkMode(dc, TRANSPARENT);
    const std::wstring text = Utf8ToWide(Text());
    TextOutW(dc, 0, 0, text.c_str(), static_cast<int>(text.size()));
    if (old)
        SelectObject(dc, old);
    EndPaint(m_label, &paint);
}

MessageResult Win32LinkLabel::OnMessage(UINT message, WPARAM, LPARAM)
{
    if (!m_handler)
        return Declined();
    switch (message) {
    case WM_MOUSEMOVE:
        m_handler->OnMouseMove();
        return Declined();
    case kMouseLeave:
        m_handler->OnMouseLeave();
        return Handled(0);
    case WM_PAINT:
        OnPaint();
        return Handled(0);
    default:
        return Declined();
    }
}

MessageResult Win32LinkLabel::OnReflectedMessage(UINT message, WPARAM wParam, LPARAM)
{
    if (!m_handler)
        return Declined();
    if (message == WM_COMMAND && HIWORD(wParam) == STN_CLICKED) {
        m_handler->OnClicked();
        return Handled(0);
    }
    if (message == WM_CTLCOLORSTATIC) {
        std::uint32_t colour = 0;
        if (!m_handler->CtlColor(colour))
            return Declined();
        const auto dc = reinterpret_cast<HDC>(wParam);
        if (HFONT font = LinkFont())
            SelectObject(dc, font);
        SetTextColor(dc, colour);
        SetBkMode(dc, TRANSPARENT);
        return Handled(reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH)));
    }
    return Declined();
}
