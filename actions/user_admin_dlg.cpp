#include "actions/user_admin_dlg.h"

#include <string>

#include "lang/texts.h"
#include "res/resource.h"


int CUserAdminDlg::DoModal()
{
    return m_dialogs.RunModal(IDD_USER_ADMIN, *this);
}

BOOL CUserAdminDlg::OnInitDialog(IDialogWindow& window)
{
    window.SetItemText(IDC_USER_TEXT, Text(TextId::UserGuidance, m_language));
    window.SetItemBitmap(IDC_USER_PICTURE, IDB_USER_LIST);
    return 1;
}
