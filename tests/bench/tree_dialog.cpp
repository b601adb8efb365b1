// The second baseline of tools/measure_startup.sh: a program built exactly
// like veilmark.exe whose dialog has what Veilmark's main window needs
// (common controls 6.0, a menu bar, a tree view with the state pictures and
// 25 items with Chinese labels, two buttons and a static) and none of its
// logic: no registry, no string table, no status check. What veilmark.exe
// takes beyond this program is the time of Veilmark's own work.
#include <windows.h>
#include <commctrl.h>

#include "tests/bench/baseline_dialog.h"

namespace {

constexpr WORD kDialogTemplateId = 100;  // in tree_dialog.rc
constexpr WORD kMenuId = 101;
constexpr WORD kStateBitmapId = 129;
constexpr int kTreeId = 1002;
constexpr int kGroupImage = 9;   // the pictures of the strip, as Veilmark's tree shows them
constexpr int kOptionImage = 12;

// Six groups of options, as a label list: a group's label starts with '+'.
constexpr const wchar_t* kLabels[] = {
    L"+媒體播放程式功能", L"不自動取得授權", L"不允許網站辨識播放程式", L"停用自動下載解碼器",
    L"+錯誤報告", L"停用錯誤報告", L"停用嚴重錯誤報告", L"檔案總管：關閉遠端桌面支援",
    L"+網際網路瀏覽器", L"停用已排程的更新", L"停用自動更新", L"不與網際網路時間同步",
    L"停用整合式認證",
    L"+服務", L"停用錯誤報告服務", L"停用自動更新服務", L"停用校時伺服器服務", L"停用工作排程服務",
    L"+即時通訊程式", L"停用自動啟動", L"完全移除",
    L"+其他", L"移除支援使用者", L"刪除瀏覽器擴充的登錄項目", L"不傳送使用資訊",
};

HTREEITEM InsertItem(HWND tree, HTREEITEM parent, const wchar_t* text, int image)
{
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = const_cast<wchar_t*>(text);
    insert.item.iImage = image;
    insert.item.iSelectedImage = image;
    return reinterpret_cast<HTREEITEM>(
        SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
}

void FillTree(HWND dialog)
{
    HWND tree = GetDlgItem(dialog, kTreeId);
    HIMAGELIST images = ImageList_LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kStateBitmapId),
                                             16, 1, RGB(255, 0, 255), IMAGE_BITMAP, 0);
    SendMessageW(tree, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images));
    HTREEITEM group = nullptr;
    HTREEITEM first = nullptr;
    for (const wchar_t* label : kLabels) {
        if (label[0] == L'+') {
            if (group)
                SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(group));
            group = InsertItem(tree, TVI_ROOT, label + 1, kGroupImage);
            first = first ? first : group;
        } else {
            InsertItem(tree, group, label, kOptionImage);
        }
    }
    SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(group));
    SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(first));
}

void FillDialog(HWND dialog)
{
    SetMenu(dialog, LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kMenuId)));
    FillTree(dialog);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    RunBaselineDialog(kDialogTemplateId, FillDialog);
    return 0;
}
