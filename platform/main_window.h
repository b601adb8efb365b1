// Port: the main dialog's window, as the dialog's own logic drives it during
// initialisation. The Win32 host implements it on the real dialog; tests
// record what happens, and in which order.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/link_label.h"
#include "platform/tree_view.h"

// The controls of the main dialog that the dialog's classes drive.
struct MainControls {
    std::unique_ptr<ITreeView> tree;   // control 1048
    std::unique_ptr<ILinkLabel> link;  // control 1010
};

class IMainWindow {
public:
    IMainWindow() = default;
    IMainWindow(const IMainWindow&) = delete;
    IMainWindow& operator=(const IMainWindow&) = delete;
    virtual ~IMainWindow() = default;

    // Binds the dialog's controls and hands out the option tree and the
    // link label, for their classes to drive.
    virtual MainControls BindControls() = 0;
    virtual void InitCommonControls() = 0;
    // Sets the Application icon as the window's large icon.
    virtual void SetLargeIcon() = 0;
    // Sends the window a close request, handled like Cancel; a modal run
    // ends only once the message being handled returns.
    virtual void SendCloseRequest() = 0;
    // Loads the menu and makes it the window's menu bar.
    virtual void AttachMenu(unsigned menuId) = 0;
    virtual void SetTitle(std::string_view title) = 0;
    // The caption of the Start button, control 1000.
    virtual std::string StartCaption() const = 0;
    virtual void SetStartCaption(std::string_view caption) = 0;
};
