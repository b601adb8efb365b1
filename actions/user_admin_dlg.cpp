#include "actions/user_admin_dlg.h"

#include <string>

#include "res/resource.h"

namespace {

constexpr const char* kGuidance =
    "現在請選取 [本機使用者和群組] | [使用者]，並刪除\n下列兩個使用者，否則 MS 的傢伙隨時可能造訪您\n的電腦 ;-)";

}  // namespace

int CUserAdminDlg::DoModal()
{
    return m_dialogs.RunModal(IDD_USER_ADMIN, *this);
}

BOOL CUserAdminDlg::OnInitDialog(IDialogWindow& window)
{
    window.SetItemText(IDC_USER_TEXT, std::string(kGuidance) + std::string(23, ' '));
    window.SetItemBitmap(IDC_USER_PICTURE, IDB_USER_LIST);
    return 1;
}
