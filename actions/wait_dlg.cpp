#include "actions/wait_dlg.h"

#include "res/resource.h"

bool CWaitDlg::Create()
{
    m_window = m_dialogs.CreateModeless(IDD_WAIT, *this);
    return m_window != nullptr;
}

void CWaitDlg::SetText(std::string_view text)
{
    if (m_window)
        m_window->SetItemText(IDC_WAIT_TEXT, text);
}

void CWaitDlg::ShowWindow()
{
    if (m_window)
        m_window->Show();
}
