// Program entry: shows the main dialog (template 202) with the option tree,
// which shows the state of the registry it runs on.
#include <memory>

#include "app/language.h"
#include "app/main_dlg.h"
#include "platform/win32/resource_string_table.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32.h"
#include "platform/win32/win32_tree_view.h"
#include "res/resource.h"

namespace {

struct MainDialogHost {
    HINSTANCE module;
    CMainDlg& dialog;
};

void InitMainDialog(HWND window, MainDialogHost& host)
{
    CMainDlg& dialog = host.dialog;
    dialog.Tree().Attach(
        std::make_unique<Win32TreeView>(GetDlgItem(window, IDC_OPTION_TREE), host.module));
    SetWindowTextW(window, L"Veilmark V3.13");
    dialog.SetLanguageBase(kLanguageBaseChinese);
    dialog.SetHomeEdition(0);
    dialog.BuildOptionTree();
    dialog.Tree().SelectItem(dialog.FirstGroupItem());
    dialog.CheckSystemStatus();
}

INT_PTR CALLBACK MainDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        InitMainDialog(window, *reinterpret_cast<MainDialogHost*>(lParam));
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
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&controls);

    ResourceStringTable strings(instance);
    Win32Registry registry;
    CMainDlg dialog(strings, registry);
    MainDialogHost host{instance, dialog};
    DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_MAIN_DIALOG), nullptr, MainDialogProc,
                    reinterpret_cast<LPARAM>(&host));
    return 0;
}
