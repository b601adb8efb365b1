#include "platform/win32/framework/subclassed_window.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

constexpr wchar_t kChainProperty[] = L"Veilmark.SubclassChain";

}  // namespace

// The objects hooked into one window, oldest first, and the window's own
// procedure. It lives as long as one object is hooked, or a message is
// being handled through it.
class SubclassChain {
public:
    static SubclassChain* Of(HWND window) { return static_cast<SubclassChain*>(GetPropW(window, kChainProperty)); }

    // The window's chain, made and installed when it has none.
    static SubclassChain* Install(HWND window)
    {
        if (SubclassChain* chain = Of(window))
            return chain;
        auto* chain = new SubclassChain(window);
        if (!SetPropW(window, kChainProperty, chain)) {
            delete chain;
            return nullptr;
        }
        chain->m_original =
            reinterpret_cast<WNDPROC>(SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)));
        return chain;
    }

    void Add(SubclassedWindow* hook) { m_hooks.push_back(hook); }

    void Remove(SubclassedWindow* hook)
    {
        m_hooks.erase(std::remove(m_hooks.begin(), m_hooks.end(), hook), m_hooks.end());
        // The window's own procedure goes back only while ours is the one
        // installed: a subclasser from outside that hooked on top since
        // calls ours, which then passes everything straight on.
        if (m_hooks.empty() &&
            GetWindowLongPtrW(m_window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&Proc)) {
            SetWindowLongPtrW(m_window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_original));
            Detach();
        }
    }

    // Passes a message to the next object older than the one at `position`
    // (the count of objects hooked before it), or to the window's procedure.
    LRESULT CallBelow(std::size_t position, UINT message, WPARAM wParam, LPARAM lParam)
    {
        position = std::min(position, m_hooks.size());
        if (position == 0)
            return CallWindowProcW(m_original, m_window, message, wParam, lParam);
        return m_hooks[position - 1]->Dispatch(*this, position - 1, message, wParam, lParam);
    }

    // Where `hook` stands now, or `fallback` when it has unhooked meanwhile.
    std::size_t PositionOf(const SubclassedWindow* hook, std::size_t fallback) const
    {
        const auto found = std::find(m_hooks.begin(), m_hooks.end(), hook);
        return found == m_hooks.end() ? fallback : static_cast<std::size_t>(found - m_hooks.begin());
    }

    bool Reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
    {
        const Use use(*this);
        for (std::size_t i = m_hooks.size(); i-- > 0;) {
            if (i >= m_hooks.size())
                continue;  // unhooked while an earlier one handled it
            const MessageResult answer = m_hooks[i]->OnReflectedMessage(message, wParam, lParam);
            if (answer.handled) {
                result = answer.value;
                return true;
            }
        }
        return false;
    }

private:
    explicit SubclassChain(HWND window) : m_window(window) {}

    // Keeps the chain alive while a message is handled through it.
    class Use {
    public:
        explicit Use(SubclassChain& chain) : m_chain(chain) { ++m_chain.m_depth; }
        ~Use()
        {
            if (--m_chain.m_depth == 0 && m_chain.m_detached)
                delete &m_chain;
        }
        Use(const Use&) = delete;
        Use& operator=(const Use&) = delete;

    private:
        SubclassChain& m_chain;
    };

    void Detach()
    {
        RemovePropW(m_window, kChainProperty);
        m_detached = true;
        if (m_depth == 0)
            delete this;
    }

    // The window's last message: after the window's own handling, every
    // object is told that the window has gone.
    void WindowGone()
    {
        SetWindowLongPtrW(m_window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_original));
        RemovePropW(m_window, kChainProperty);
        m_detached = true;
        for (SubclassedWindow* hook : std::exchange(m_hooks, {})) {
            hook->m_hWnd = nullptr;
            hook->OnWindowGone();
        }
    }

    // noexcept: see unexpected_error.h.
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
    {
        SubclassChain* chain = Of(window);
        if (!chain)
            return DefWindowProcW(window, message, wParam, lParam);
        const Use use(*chain);
        LRESULT result = 0;
        // What this window's children send it reaches their objects first.
        if (SubclassedWindow::Reflect(SubclassedWindow::SourceOf(message, wParam, lParam), message, wParam, lParam,
                                      result))
            return result;
        result = chain->CallBelow(chain->m_hooks.size(), message, wParam, lParam);
        if (message == WM_NCDESTROY && !chain->m_detached)
            chain->WindowGone();
        return result;
    }

    HWND m_window;
    WNDPROC m_original = nullptr;
    std::vector<SubclassedWindow*> m_hooks;  // oldest first
    int m_depth = 0;
    bool m_detached = false;
};

SubclassedWindow::~SubclassedWindow() { Unsubclass(); }

bool SubclassedWindow::Subclass(HWND window)
{
    if (m_hWnd || !IsWindow(window))
        return false;
    SubclassChain* chain = SubclassChain::Install(window);
    if (!chain)
        return false;
    chain->Add(this);
    m_hWnd = window;
    return true;
}

void SubclassedWindow::Unsubclass()
{
    if (!m_hWnd)
        return;
    if (SubclassChain* chain = SubclassChain::Of(m_hWnd))
        chain->Remove(this);
    m_hWnd = nullptr;
}

HWND SubclassedWindow::SourceOf(UINT message, WPARAM, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<HWND>(lParam);
    case WM_NOTIFY:
        return lParam ? reinterpret_cast<const NMHDR*>(lParam)->hwndFrom : nullptr;
    default:
        return nullptr;
    }
}

bool SubclassedWindow::Reflect(HWND child, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    SubclassChain* chain = child ? SubclassChain::Of(child) : nullptr;
    return chain && chain->Reflect(message, wParam, lParam, result);
}

MessageResult SubclassedWindow::OnMessage(UINT, WPARAM, LPARAM) { return Declined(); }

MessageResult SubclassedWindow::OnReflectedMessage(UINT, WPARAM, LPARAM) { return Declined(); }

LRESULT SubclassedWindow::Dispatch(SubclassChain& chain, std::size_t position, UINT message, WPARAM wParam,
                                   LPARAM lParam)
{
    Frame frame{&chain, position, message, wParam, lParam, 0, false};
    Frame* const outer = std::exchange(m_frame, &frame);
    const MessageResult answer = OnMessage(message, wParam, lParam);
    m_frame = outer;
    if (answer.handled)
        return answer.value;
    return frame.passedOn ? frame.result
                          : chain.CallBelow(chain.PositionOf(this, position), message, wParam, lParam);
}

LRESULT SubclassedWindow::Default()
{
    if (!m_frame)
        return 0;
    if (!m_frame->passedOn) {
        m_frame->passedOn = true;
        m_frame->result = m_frame->chain->CallBelow(m_frame->chain->PositionOf(this, m_frame->position),
                                                    m_frame->message, m_frame->wParam, m_frame->lParam);
    }
    return m_frame->result;
}

LRESULT SubclassedWindow::DefaultResult() const { return m_frame ? m_frame->result : 0; }
