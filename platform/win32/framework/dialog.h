// Dialog: a window built from a numbered dialog template, run modally or
// modelessly. Derived classes answer messages through a message map (see
// message_map.h) and bind their controls in DoDataExchange. OK and Cancel
// end the dialog; a close request is handled like Cancel.
//
// Before the message map sees a notification or a colour request from a
// control, the objects hooked into that control (see subclassed_window.h)
// get it, reflected: a control that draws or reacts by itself handles its
// own notifications.
#pragma once

#include "lang/languages.h"
#include "platform/win32/framework/message_result.h"
#include "platform/win32/win32.h"

class Dialog {
public:
    // The template `templateId` of `language` (see resource_language.h).
    explicit Dialog(unsigned templateId, Language language = kFirstLanguage) : m_templateId(templateId), m_language(language) {}
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;
    // A window still open here is destroyed without the derived class
    // hearing of it, as that part of the object is gone already: give a
    // modeless dialog to Modeless<> (below), which destroys it in time.
    virtual ~Dialog();

    // Runs the dialog until it ends; returns the code it ended with, or -1
    // when the window could not be created (after OnCreateFailed).
    INT_PTR DoModal(HWND parent = nullptr);
    // Creates the dialog modeless and returns at once; the thread's message
    // loop runs it (see message_pump.h). False when the window could not be
    // created (after OnCreateFailed).
    bool Create(HWND parent = nullptr);
    void Show(int showCommand = SW_SHOW) { ShowWindow(m_hWnd, showCommand); }
    // Ends a modal run with `result` (after the current message), or
    // destroys a modeless dialog.
    void EndDialog(int result);
    // Destroys the window of a modeless dialog now; nothing when it has none.
    void DestroyWindow();
    // Sends the close request that the close box sends.
    void SendCloseRequest();

    HWND Handle() const { return m_hWnd; }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    static HINSTANCE Module() { return GetModuleHandleW(nullptr); }
    Language UiLanguage() const { return m_language; }

protected:
    // Called once the window and its controls exist. The default binds the
    // controls; true gives the focus to the first tab stop.
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange() {}
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    // The derived class's message map. A declined message gets the
    // framework's defaults: OK, Cancel and the close request end the
    // dialog, everything else goes to the dialog manager.
    virtual MessageResult RouteMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Runs while the window is being destroyed, its controls still there.
    virtual void OnDestroy() {}
    // The window could not be made from the template: the default tells
    // the user, with the system's reason.
    virtual void OnCreateFailed(DWORD error);

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    MessageResult Defaults(UINT message, WPARAM wParam, LPARAM lParam);

    unsigned m_templateId;
    Language m_language;
    HWND m_hWnd = nullptr;
    bool m_modal = false;
};

// A modeless dialog whose window goes while the whole object still lives,
// so that the dialog's own destroy handling runs:
//   Modeless<CWaitWindow> wait(...);  wait.Create(owner);  wait.Show();
template <typename D>
class Modeless final : public D {
public:
    using D::D;
    ~Modeless() override { this->DestroyWindow(); }
};
