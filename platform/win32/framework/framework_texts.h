// The few texts of the Win32 layer itself, in the program's three
// languages, by the Windows language id of the program's resources
// (0x0404, 0x0407, 0x0409; any other is Chinese).
#pragma once

#include <string>

#include "platform/win32/win32.h"

// The box that ends the program after an unexpected error.
const wchar_t* UnexpectedErrorText(LANGID language);
// A dialog template that would not become a window: its number and the reason.
std::wstring CannotCreateDialogText(LANGID language, unsigned templateId, const std::wstring& reason);
// An error code the system has no words for.
std::wstring ErrorNumberText(LANGID language, unsigned long error);
