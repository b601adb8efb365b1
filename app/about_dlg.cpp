#include "app/about_dlg.h"

#include "lang/texts.h"
#include "res/resource.h"

std::string CAboutDlg::AboutText(Language language) { return Text(TextId::AboutText, language); }

int CAboutDlg::DoModal()
{
    return m_dialogs.RunModal(IDD_ABOUT, *this);
}

BOOL CAboutDlg::OnInitDialog(IDialogWindow& window)
{
    window.SetItemText(IDC_ABOUT_TEXT, AboutText(m_language));
    return 1;
}
