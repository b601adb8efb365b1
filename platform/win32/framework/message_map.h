// A message map: a static table of routes from a window message, or from a
// command id, to a member handler of the dialog class.
//
//   const MessageRoute<MyDialog> kRoutes[] = {
//       OnMessage(WM_PAINT, &MyDialog::OnPaint),
//       OnCommand(IDM_HELP, &MyDialog::OnHelp),
//   };
//   bool MyDialog::RouteMessage(UINT m, WPARAM w, LPARAM l, LRESULT& r)
//   {
//       return RouteThrough(kRoutes, *this, m, w, l, r);
//   }
#pragma once

#include <cstddef>

#include "platform/win32/win32.h"

// Whether a WM_COMMAND is a command: menus send 0, accelerators 1, buttons
// BN_CLICKED (0); other control notifications are not commands.
inline bool IsCommand(WPARAM wParam)
{
    return HIWORD(wParam) <= 1;
}

template <typename Owner>
struct MessageRoute {
    UINT message;
    UINT commandId;  // WM_COMMAND routes only
    LRESULT (Owner::*onMessage)(WPARAM, LPARAM);
    void (Owner::*onCommand)();
};

template <typename Owner>
constexpr MessageRoute<Owner> OnMessage(UINT message, LRESULT (Owner::*handler)(WPARAM, LPARAM))
{
    return {message, 0, handler, nullptr};
}

// A command from a menu, an accelerator or a button click.
template <typename Owner>
constexpr MessageRoute<Owner> OnCommand(UINT commandId, void (Owner::*handler)())
{
    return {WM_COMMAND, commandId, nullptr, handler};
}

template <typename Owner, std::size_t N>
bool RouteThrough(const MessageRoute<Owner> (&routes)[N], Owner& owner, UINT message, WPARAM wParam,
                  LPARAM lParam, LRESULT& result)
{
    for (const MessageRoute<Owner>& route : routes) {
        if (route.message != message)
            continue;
        if (route.onCommand) {
            if (LOWORD(wParam) != route.commandId || !IsCommand(wParam))
                continue;
            (owner.*route.onCommand)();
            result = 0;
            return true;
        }
        result = (owner.*route.onMessage)(wParam, lParam);
        return true;
    }
    return false;
}
