#include "platform/win32/framework/message_pump.h"

#include "platform/win32/win32.h"

namespace {

// The atom of the dialog window class, "#32770".
constexpr ULONG_PTR kDialogClassAtom = 0x8002;

// Keyboard navigation for the dialog that the message's window belongs to.
bool IsDialogNavigation(MSG& msg)
{
    HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    return root && GetClassLongPtrW(root, GCW_ATOM) == kDialogClassAtom && IsDialogMessageW(root, &msg);
}

}  // namespace

bool PumpWaitingMessages()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        if (IsDialogNavigation(msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return true;
}
