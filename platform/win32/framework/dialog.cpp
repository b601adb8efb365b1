#include "platform/win32/framework/dialog.h"

#include <string>

#include "lang/texts.h"
#include "platform/win32/framework/app_name.h"
#include "platform/win32/framework/message_map.h"
#include "platform/win32/framework/resource_language.h"
#include "platform/win32/framework/subclassed_window.h"
#include "platform/win32/text.h"

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
    if (!m_hWnd)
        return;
    SetWindowLongPtrW(m_hWnd, DWLP_USER, 0);
    ::DestroyWindow(m_hWnd);
}

INT_PTR Dialog::DoModal(HWND parent)
{
    m_modal = true;
    const auto* dialogTemplate = static_cast<const DLGTEMPLATE*>(FindResourceOf(Module(), RT_DIALOG, m_templateId, m_language));
    const INT_PTR result = dialogTemplate ? DialogBoxIndirectParamW(Module(), dialogTemplate, parent, &DialogProc,
                                                                    reinterpret_cast<LPARAM>(this))
                                          : -1;
    if (result == -1)
        OnCreateFailed(dialogTemplate ? GetLastError() : ERROR_RESOURCE_NAME_NOT_FOUND);
    return result;
}

bool Dialog::Create(HWND parent)
{
    m_modal = false;
    const auto* dialogTemplate = static_cast<const DLGTEMPLATE*>(FindResourceOf(Module(), RT_DIALOG, m_templateId, m_language));
    if (dialogTemplate &&
        CreateDialogIndirectParamW(Module(), dialogTemplate, parent, &DialogProc, reinterpret_cast<LPARAM>(this)))
        return true;
    OnCreateFailed(dialogTemplate ? GetLastError() : ERROR_RESOURCE_NAME_NOT_FOUND);
    return false;
}

void Dialog::EndDialog(int result)
{
    if (!m_hWnd)
        return;
    if (m_modal)
        ::EndDialog(m_hWnd, result);
    else
        ::DestroyWindow(m_hWnd);
}

void Dialog::DestroyWindow()
{
    if (m_hWnd && !m_modal)
        ::DestroyWindow(m_hWnd);
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

MessageResult Dialog::RouteMessage(UINT, WPARAM, LPARAM)
{
    return Declined();
}

void Dialog::OnCreateFailed(DWORD error)
{
    const std::wstring text = Utf8ToWide(
        Text(TextId::CannotCreateDialog, m_language, {std::to_string(m_templateId), SystemMessage(error, m_language)}));
    MessageBoxW(nullptr, text.c_str(), kAppName, MB_OK | MB_ICONERROR);
}

// noexcept: see unexpected_error.h.
INT_PTR CALLBACK Dialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<Dialog*>(lParam);
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        dialog->m_hWnd = window;
        return dialog->OnInitDialog();
    }
    auto* dialog = reinterpret_cast<Dialog*>(GetWindowLongPtrW(window, DWLP_USER));
    return dialog ? dialog->HandleMessage(message, wParam, lParam) : FALSE;
}

INT_PTR Dialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    const HWND window = m_hWnd;
    if (message == WM_DESTROY)
        OnDestroy();
    LRESULT reflected = 0;
    MessageResult answer = Declined();
    if (SubclassedWindow::Reflect(SubclassedWindow::SourceOf(message, wParam, lParam), message, wParam, lParam,
                                  reflected))
        answer = Handled(reflected);
    if (!answer.handled)
        answer = RouteMessage(message, wParam, lParam);
    if (!answer.handled)
        answer = Defaults(message, wParam, lParam);

    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(m_hWnd, DWLP_USER, 0);
        m_hWnd = nullptr;
    }
    if (!answer.handled)
        return FALSE;
    if (ReturnsResultDirectly(message))
        return static_cast<INT_PTR>(answer.value);
    SetWindowLongPtrW(window, DWLP_MSGRESULT, answer.value);
    return TRUE;
}

MessageResult Dialog::Defaults(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (!IsCommand(wParam, lParam))
            return Declined();
        if (LOWORD(wParam) == IDOK) {
            OnOK();
            return Handled();
        }
        if (LOWORD(wParam) == IDCANCEL) {
            OnCancel();
            return Handled();
        }
        return Declined();
    case WM_CLOSE:
        OnCancel();
        return Handled();
    default:
        return Declined();
    }
}
