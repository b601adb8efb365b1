#include "actions/item_info_dlg.h"

#include <string>

#include "res/resource.h"

int CItemInfoDlg::DoModal()
{
    return m_dialogs.RunModal(IDD_ITEM_INFO, *this);
}

BOOL CItemInfoDlg::OnInitDialog(IDialogWindow& window)
{
    window.SetItemText(IDC_INFO_HEADING, "目前您選擇了各種不同的功能。" + std::string(26, ' '));
    window.SetItemText(IDC_INFO_DONE, "表示：此功能已停用。" + std::string(24, ' '));
    window.SetItemText(IDC_INFO_ACTIVE, "表示：此功能未停用，且已選取，但可取消選取。" + std::string(35, ' '));
    return 1;
}
