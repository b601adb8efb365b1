// CMainApp: the application. It runs the main dialog modally and ends the
// program when the dialog ends; there is no message loop of its own.
#pragma once

#include "platform/types.h"

class CMainApp {
public:
    // Always false: the program ends once the dialog has ended.
    BOOL InitInstance();
};
