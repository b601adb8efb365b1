// Port: the program's smaller dialogs, each built from a numbered template.
// A dialog class implements IDialogHandler; the host makes the window, runs
// it and hands the class an IDialogWindow to drive it with. The dialogs are
// owned by the main window.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/types.h"

// The command ids of the OK and Cancel buttons, Enter and Escape.
inline constexpr unsigned kIdOk = 1;
inline constexpr unsigned kIdCancel = 2;

// The notifications of controls that dialog classes answer, with the codes
// Windows gives them.
enum ControlNotification : unsigned {
    kSelectionChanged = 1,  // a drop-down list's selection (CBN_SELCHANGE)
    kTextChanged = 0x0300,  // an edit's text (EN_CHANGE)
};

// The window of one dialog, as its class drives it.
class IDialogWindow {
public:
    IDialogWindow() = default;
    IDialogWindow(const IDialogWindow&) = delete;
    IDialogWindow& operator=(const IDialogWindow&) = delete;
    // A modeless dialog's window goes with this object.
    virtual ~IDialogWindow() = default;

    virtual void SetItemText(int id, std::string_view text) = 0;
    virtual std::string ItemText(int id) const = 0;
    virtual void EnableItem(int id, bool enable) = 0;
    // Shows the program's bitmap resource `bitmapId` in the picture control
    // `id`; the control stays empty when the bitmap cannot be loaded.
    virtual void SetItemBitmap(int id, unsigned bitmapId) = 0;
    // Shows the window as it is (SW_SHOW).
    virtual void Show() = 0;

    // The drop-down list `id`: entries appended at the end, the selection by
    // position (-1 or a position past the end: none), an entry's text.
    virtual void AddListEntry(int id, std::string_view text) = 0;
    virtual void SelectListEntry(int id, int position) = 0;
    virtual int SelectedListEntry(int id) const = 0;
    virtual std::string ListEntryText(int id, int position) const = 0;
};

// What a dialog class answers when the host calls it.
class IDialogHandler {
public:
    // The window and its controls exist. True: the first tab stop gets the focus.
    virtual BOOL OnInitDialog(IDialogWindow& window) = 0;
    // A menu command or a button click; true when handled. Those left
    // unhandled get the defaults: OK and Cancel end the dialog.
    virtual bool OnCommand(unsigned id)
    {
        static_cast<void>(id);
        return false;
    }
    // A control's notification (see ControlNotification); true when handled.
    virtual bool OnNotification(unsigned id, unsigned code)
    {
        static_cast<void>(id);
        static_cast<void>(code);
        return false;
    }

protected:
    ~IDialogHandler() = default;
};

class IDialogHost {
public:
    IDialogHost() = default;
    IDialogHost(const IDialogHost&) = delete;
    IDialogHost& operator=(const IDialogHost&) = delete;
    virtual ~IDialogHost() = default;

    // Runs the dialog until it ends; returns the id it ended with, or -1
    // when it could not be made (the user has been told).
    virtual int RunModal(unsigned templateId, IDialogHandler& handler) = 0;
    // Makes the dialog modeless and returns at once; null when it could not
    // be made (the user has been told).
    virtual std::unique_ptr<IDialogWindow> CreateModeless(unsigned templateId, IDialogHandler& handler) = 0;
};
