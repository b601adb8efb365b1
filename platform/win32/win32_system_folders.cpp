#include "platform/win32/win32_system_folders.h"

#include "platform/win32/shell32_calls.h"
#include "platform/win32/text.h"

namespace {

// A path that one of the folder functions wrote into `buffer`, or nothing.
std::string FromBuffer(const wchar_t* buffer, UINT length)
{
    if (length == 0 || length >= MAX_PATH)
        return {};
    std::string path = WideToUtf8({buffer, length});
    if (path.size() > 3 && path.back() == '\\')
        path.pop_back();
    return path;
}

// A folder that the shell knows by its CSIDL number, or nothing.
std::string ShellFolder(int csidl)
{
    wchar_t buffer[MAX_PATH] = {};
    if (FAILED(shell32::GetFolderPath(csidl, buffer)))
        return {};
    return FromBuffer(buffer, static_cast<UINT>(wcslen(buffer)));
}

}  // namespace

std::string Win32SystemFolders::WindowsDirectory() const
{
    wchar_t buffer[MAX_PATH];
    return FromBuffer(buffer, GetSystemWindowsDirectoryW(buffer, MAX_PATH));
}

std::string Win32SystemFolders::SystemDirectory() const
{
    wchar_t buffer[MAX_PATH];
    return FromBuffer(buffer, GetSystemDirectoryW(buffer, MAX_PATH));
}

std::string Win32SystemFolders::ProgramFilesDirectory() const { return ShellFolder(CSIDL_PROGRAM_FILES); }

std::string Win32SystemFolders::AppDataDirectory() const { return ShellFolder(CSIDL_APPDATA); }
