// The machine the program runs on and the person at it: the boxes that ask
// and tell, the shell that opens files and launches programs, the clock of
// the waits, the desktop's windows, the program's dialogs, and the files
// it reads and writes itself.
#pragma once

#include "platform/clock.h"
#include "platform/desktop.h"
#include "platform/dialog_host.h"
#include "platform/files.h"
#include "platform/prompt.h"
#include "platform/shell.h"

struct HostMachine {
    IPrompt& prompt;
    IShell& shell;
    IClock& clock;
    IDesktop& desktop;
    IDialogHost& dialogs;
    IFiles& files;
};
