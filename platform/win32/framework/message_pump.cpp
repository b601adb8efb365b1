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

// Keyboard and mouse messages, in the client area and on the frame.
bool IsInput(UINT message)
{
    return (message >= WM_KEYFIRST && message <= 0x0109) || (message >= WM_MOUSEFIRST && message <= 0x020E) ||
           (message >= WM_NCMOUSEMOVE && message <= 0x00AD);
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

void WaitDiscardingInput(unsigned long milliseconds)
{
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                // For the outer loop; the wait keeps its length all the same.
                PostQuitMessage(static_cast<int>(msg.wParam));
                const DWORD elapsed = GetTickCount() - start;
                if (elapsed < milliseconds)
                    Sleep(milliseconds - elapsed);
                return;
            }
            if (!IsInput(msg.message))
                DispatchMessageW(&msg);
        }
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= milliseconds)
            return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - elapsed, QS_ALLINPUT);
    }
}
