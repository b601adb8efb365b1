#include "platform/win32/framework/dialog.h"

namespace {

// Messages whose result a dialog procedure returns itself, rather than
// through DWLP_MSGRESULT.
bool ReturnsResultDirectly(UINT message)
{
    switch (message) {
    case WM_CHARTOITEM:
    case WM_COMPAREITEM:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_INITDIALOG:
    case WM_QUERYDRAGICON:
    case WM_VKEYTOITEM:
        return true;
    default:
        return false;
    }
}

}  // namespace

Dialog::~Dialog()
{
    if (m_hWnd && !m_modal)
        DestroyWindow(m_hWnd);
}

INT_PTR Dialog::DoModal(HWND parent)
{
    m_modal = true;
    return DialogBoxParamW(Module(), MAKEINTRESOURCEW(m_templateId), parent, &DialogProc,
                           reinterpret_cast<LPARAM>(this));
}

bool Dialog::Create(HWND parent)
{
    m_modal = false;
    return CreateDialogParamW(Module(), MAKEINTRESOURCEW(m_templateId), parent, &DialogProc,
                              reinterpret_cast<LPARAM>(this)) != nullptr;
}

void Dialog::EndDialog(int result)
{
    if (!m_hWnd)
        return;
    if (m_modal)
        ::EndDialog(m_hWnd, result);
    else
        DestroyWindow(m_hWnd);
}

void Dialog::SendCloseRequest()
{
    if (m_hWnd)
        SendMessageW(m_hWnd, WM_CLOSE, 0, 0);
}

BOOL Dialog::OnInitDialog()
{
    DoDataExchange();
    return TRUE;
}

bool Dialog::RouteMessage(UINT, WPARAM, LPARAM, LRESULT&)
{
    return false;
}

INT_PTR CALLBACK Dialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<Dialog*>(lParam);
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        dialog->m_hWnd = window;
        return dialog->OnInitDialog();
    }
    auto* dialog = reinterpret_cast<Dialog*>(GetWindowLongPtrW(window, DWLP_USER));
    if (!dialog)
        return FALSE;
    return dialog->HandleMessage(message, wParam, lParam);
}

INT_PTR Dialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (RouteMessage(message, wParam, lParam, result)) {
        if (ReturnsResultDirectly(message))
            return static_cast<INT_PTR>(result);
        SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, result);
        return TRUE;
    }
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK && HIWORD(wParam) == BN_CLICKED) {
            OnOK();
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL && HIWORD(wParam) == BN_CLICKED) {
            OnCancel();
            return TRUE;
        }
        return FALSE;
    case WM_CLOSE:
        OnCancel();
        return TRUE;
    case WM_NCDESTROY:
        OnWindowGone();
        SetWindowLongPtrW(m_hWnd, DWLP_USER, 0);
        m_hWnd = nullptr;
        return FALSE;
    default:
        return FALSE;
    }
}
