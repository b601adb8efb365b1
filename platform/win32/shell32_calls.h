// The shell32 functions the program uses, loaded on their first call.
// shell32 is needed only by commands that may never run (help, the home-page
// link, the system actions); importing it would load it, and the libraries
// it pulls in, at every start before the dialog can show. Every Windows the
// program runs on has these functions; should the library fail to load,
// each call fails the way its own failure is reported.
#pragma once

#include "platform/win32/win32.h"

#include <shellapi.h>
#include <shlobj.h>

namespace shell32 {

// ShellExecuteW: a value of 32 or less is an error (SE_ERR_DLLNOTFOUND when shell32 is missing).
HINSTANCE ShellExecute(const wchar_t* verb, const wchar_t* file, const wchar_t* parameters,
                       const wchar_t* directory, int show);
// ShellExecuteExW: FALSE with the last error set on failure.
BOOL ShellExecuteEx(SHELLEXECUTEINFOW* info);
// SHGetFolderPathW: a failure code when the folder is unknown or shell32 is missing.
HRESULT GetFolderPath(int folder, wchar_t* path);

}  // namespace shell32
