#include "actions/item_info_dlg.h"

#include <string>

#include "lang/texts.h"
#include "res/resource.h"

int CItemInfoDlg::DoModal()
{
    return m_dialogs.RunModal(IDD_ITEM_INFO, *this);
}

BOOL CItemInfoDlg::OnInitDialog(IDialogWindow& window)
{
    window.SetItemText(IDC_INFO_HEADING, Text(TextId::InfoHeading, m_language));
    window.SetItemText(IDC_INFO_DONE, Text(TextId::InfoDone, m_language));
    window.SetItemText(IDC_INFO_ACTIVE, Text(TextId::InfoActive, m_language));
    return 1;
}
