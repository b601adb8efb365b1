// SubclassedWindow: an object hooked into a control's window procedure. It
// sees the control's messages before the control does, and the notifications
// and colour requests the control sends its parent, reflected back to it.
//
// Several objects may hook one window. They form a chain, kept with the
// window: the newest sees a message first and may pass it on to the one
// hooked before it, the oldest to the control's own procedure. Each may
// unhook at any time and in any order; the others and the control go on
// working, and once the last one has gone the control's own procedure is
// put back. When the window is destroyed every object is unhooked.
#pragma once

#include <cstddef>

#include "platform/win32/framework/message_result.h"
#include "platform/win32/win32.h"

class SubclassChain;

class SubclassedWindow {
public:
    SubclassedWindow() = default;
    SubclassedWindow(const SubclassedWindow&) = delete;
    SubclassedWindow& operator=(const SubclassedWindow&) = delete;
    virtual ~SubclassedWindow();

    // Hooks this object into the window; false when there is no such window
    // or this object is hooked already.
    bool Subclass(HWND window);
    // Unhooks it; nothing happens when it is not hooked.
    void Unsubclass();
    HWND Handle() const { return m_hWnd; }

    // The child window that a parent's message comes from, for the messages
    // that are reflected (WM_COMMAND from a control, WM_NOTIFY and the
    // control-colour requests); null for any other message.
    static HWND SourceOf(UINT message, WPARAM wParam, LPARAM lParam);
    // Offers such a message to the objects hooked into `child`, newest first;
    // true, with the result, when one of them handled it.
    static bool Reflect(HWND child, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

protected:
    // The window's own messages; a declined one goes on along the chain.
    virtual MessageResult OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // What the window sent its parent, reflected back; a declined one goes
    // to the parent.
    virtual MessageResult OnReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Runs once the window's last message has been handled; Handle() is
    // null from then on.
    virtual void OnWindowGone() {}

    // Passes the message being handled on along the chain, once: a second
    // call returns the first one's result. Outside a message it does nothing.
    LRESULT Default();
    // What Default returned for the message being handled; 0 before it ran.
    LRESULT DefaultResult() const;

private:
    friend class SubclassChain;

    // One message being handled by this object, on the stack.
    struct Frame {
        SubclassChain* chain;
        std::size_t position;  // this object's place in the chain, from the oldest
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        LRESULT result;
        bool passedOn;
    };

    LRESULT Dispatch(SubclassChain& chain, std::size_t position, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hWnd = nullptr;
    Frame* m_frame = nullptr;
};
