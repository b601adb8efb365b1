// What the system actions work with, all owned by the caller: the ports to
// the registry, the user, the shell, time, the desktop's windows, the
// program's dialogs and the system's folders.
#pragma once

#include <string>
#include <string_view>

#include "platform/clock.h"
#include "platform/desktop.h"
#include "platform/dialog_host.h"
#include "platform/prompt.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/system_folders.h"

struct ActionServices {
    IRegistry& registry;
    IPrompt& prompt;
    IShell& shell;
    IClock& clock;
    IDesktop& desktop;
    IDialogHost& dialogs;
    const ISystemFolders& folders;
};

// `directory` and `name` joined by one backslash.
inline std::string JoinPath(std::string_view directory, std::string_view name)
{
    std::string path(directory);
    if (!path.empty() && path.back() != '\\')
        path += '\\';
    return path + std::string(name);
}
