// Dialog: a window built from a numbered dialog template, run modally or
// modelessly. Derived classes answer messages through a message map (see
// message_map.h) and bind their controls in DoDataExchange. OK and Cancel
// end the dialog; a close request is handled like Cancel.
#pragma once

#include "platform/win32/win32.h"

class Dialog {
public:
    explicit Dialog(unsigned templateId) : m_templateId(templateId) {}
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;
    virtual ~Dialog();

    // Runs the dialog until it ends; returns the code it ended with, or -1
    // when the window could not be created.
    INT_PTR DoModal(HWND parent = nullptr);
    // Creates the dialog and returns at once; the caller's message loop runs it.
    bool Create(HWND parent = nullptr);
    // Ends a modal run with `result` (after the current message), or
    // destroys a modeless dialog.
    void EndDialog(int result);
    // Sends the close request that the close box sends.
    void SendCloseRequest();

    HWND Handle() const { return m_hWnd; }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    static HINSTANCE Module() { return GetModuleHandleW(nullptr); }

protected:
    // Called once the window and its controls exist. The default binds the
    // controls; true gives the focus to the first tab stop.
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange() {}
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    // The derived class's message map: true when the message was handled,
    // with its result.
    virtual bool RouteMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Runs as the window goes away, before Handle() becomes null.
    virtual void OnWindowGone() {}

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    unsigned m_templateId;
    HWND m_hWnd = nullptr;
    bool m_modal = false;
};
