// The part both start-up baselines share: a modal dialog from a template,
// ended by OK, Cancel or its close box, as Veilmark's main dialog is.
#pragma once

#include <windows.h>

// Runs the dialog; `onInit` fills it when WM_INITDIALOG arrives.
inline void RunBaselineDialog(WORD templateId, void (*onInit)(HWND))
{
    struct Proc {
        static INT_PTR CALLBACK Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
        {
            switch (message) {
            case WM_INITDIALOG:
                if (auto fill = reinterpret_cast<void (*)(HWND)>(lParam))
                    fill(window);
                return TRUE;
            case WM_COMMAND:
                if (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL)
                    return FALSE;
                EndDialog(window, LOWORD(wParam));
                return TRUE;
            case WM_CLOSE:
                EndDialog(window, IDCANCEL);
                return TRUE;
            default:
                return FALSE;
            }
        }
    };
    DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId), nullptr, &Proc::Handle,
                    reinterpret_cast<LPARAM>(onInit));
}
