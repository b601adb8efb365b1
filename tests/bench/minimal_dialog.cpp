// The baseline of tools/measure_startup.sh: a program built exactly like
// veilmark.exe that shows one small dialog from its own template and does
// nothing else. The time it takes to come up is what any dialog program
// costs to start; Veilmark's own start-up work is what it takes beyond that.
#include <windows.h>

namespace {

constexpr WORD kDialogTemplateId = 100;  // the dialog in minimal_dialog.rc

INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(window, LOWORD(wParam));
            return TRUE;
        }
        return FALSE;
    case WM_CLOSE:
        EndDialog(window, IDCANCEL);
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    DialogBoxParamW(instance, MAKEINTRESOURCEW(kDialogTemplateId), nullptr, DialogProc, 0);
    return 0;
}
