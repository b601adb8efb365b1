// CMainApp: the application. It runs the main dialog modally and ends the
// program when the dialog ends; there is no message loop of its own.
#pragma once

#include <string>
#include <vector>

#include "platform/types.h"

class CMainApp {
public:
    // Always false: the program ends once the dialog has ended.
    BOOL InitInstance();
    // A run from the command line, without the dialog; its exit code.
    int RunCommandLine(const std::vector<std::string>& words);
};
