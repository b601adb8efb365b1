// A message map: a static table of routes from a window message, a command
// or a control's notification to a member handler of the dialog class.
//
//   const MessageRoute<MyDialog> MyDialog::kRoutes[] = {
//       OnMessage(WM_PAINT, &MyDialog::OnPaint),
//       OnCommand(IDM_HELP, &MyDialog::OnHelp),
//       OnNotification(IDC_SERVERS, LBN_SELCHANGE, &MyDialog::OnServerSelChange),
//   };
//   MessageResult MyDialog::RouteMessage(UINT m, WPARAM w, LPARAM l)
//   {
//       return RouteThrough(kRoutes, *this, m, w, l);
//   }
#pragma once

#include <cstddef>

#include "platform/win32/framework/message_result.h"
#include "platform/win32/win32.h"

// Whether a WM_COMMAND is a command: from a menu (code 0) or an accelerator
// (code 1), both without a control, or a button's click. Every other code
// from a control is a notification (LBN_SELCHANGE and STN_DBLCLK are 1 too).
inline bool IsCommand(WPARAM wParam, LPARAM lParam)
{
    return lParam == 0 ? HIWORD(wParam) <= 1 : HIWORD(wParam) == BN_CLICKED;
}

template <typename Owner>
struct MessageRoute {
    enum class Kind { Message, Command, Notification, Notify };
    Kind kind;
    UINT message;  // Kind::Message
    UINT id;       // the command or control id
    UINT code;     // Kind::Notification and Kind::Notify
    MessageResult (Owner::*onMessage)(WPARAM, LPARAM);
    void (Owner::*onEvent)();                        // Command and Notification
    LRESULT (Owner::*onNotify)(const NMHDR& header);  // Notify
};

// Any message; the handler may decline it.
template <typename Owner>
constexpr MessageRoute<Owner> OnMessage(UINT message, MessageResult (Owner::*handler)(WPARAM, LPARAM))
{
    return {MessageRoute<Owner>::Kind::Message, message, 0, 0, handler, nullptr, nullptr};
}

// A command from a menu, an accelerator or a button click.
template <typename Owner>
constexpr MessageRoute<Owner> OnCommand(UINT id, void (Owner::*handler)())
{
    return {MessageRoute<Owner>::Kind::Command, WM_COMMAND, id, 0, nullptr, handler, nullptr};
}

// A notification that control `id` sends through WM_COMMAND, such as
// LBN_SELCHANGE or EN_CHANGE.
template <typename Owner>
constexpr MessageRoute<Owner> OnNotification(UINT id, UINT code, void (Owner::*handler)())
{
    return {MessageRoute<Owner>::Kind::Notification, WM_COMMAND, id, code, nullptr, handler, nullptr};
}

// A notification that control `id` sends through WM_NOTIFY; the handler's
// answer is the message's result.
template <typename Owner>
constexpr MessageRoute<Owner> OnNotify(UINT id, UINT code, LRESULT (Owner::*handler)(const NMHDR&))
{
    return {MessageRoute<Owner>::Kind::Notify, WM_NOTIFY, id, code, nullptr, nullptr, handler};
}

template <typename Owner>
bool Matches(const MessageRoute<Owner>& route, UINT message, WPARAM wParam, LPARAM lParam)
{
    using Kind = typename MessageRoute<Owner>::Kind;
    if (route.message != message)
        return false;
    switch (route.kind) {
    case Kind::Message:
        return true;
    case Kind::Command:
        return LOWORD(wParam) == route.id && IsCommand(wParam, lParam);
    case Kind::Notification:
        return lParam != 0 && LOWORD(wParam) == route.id && HIWORD(wParam) == route.code;
    case Kind::Notify: {
        const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
        return header.idFrom == route.id && header.code == route.code;
    }
    }
    return false;
}

template <typename Owner, std::size_t N>
MessageResult RouteThrough(const MessageRoute<Owner> (&routes)[N], Owner& owner, UINT message, WPARAM wParam,
                           LPARAM lParam)
{
    for (const MessageRoute<Owner>& route : routes) {
        if (!Matches(route, message, wParam, lParam))
            continue;
        if (route.onMessage)
            return (owner.*route.onMessage)(wParam, lParam);
        if (route.onNotify)
            return Handled((owner.*route.onNotify)(*reinterpret_cast<const NMHDR*>(lParam)));
        (owner.*route.onEvent)();
        return Handled();
    }
    return Declined();
}
