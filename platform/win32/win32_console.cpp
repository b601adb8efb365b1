#include "platform/win32/win32_console.h"

#include <string>

#include "platform/win32/text.h"

namespace {

// A standard handle that leads somewhere: GUI programs started without
// redirection have none, or one of no known kind.
HANDLE Usable(DWORD which)
{
    const HANDLE handle = GetStdHandle(which);
    if (!handle || handle == INVALID_HANDLE_VALUE || GetFileType(handle) == FILE_TYPE_UNKNOWN)
        return nullptr;
    return handle;
}

}  // namespace

Win32Console::Win32Console() : m_output(Usable(STD_OUTPUT_HANDLE)), m_error(Usable(STD_ERROR_HANDLE))
{
    if ((m_output && m_error) || !AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    m_console = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
    if (m_console == INVALID_HANDLE_VALUE)
        return;
    if (!m_output)
        m_output = m_console;
    if (!m_error)
        m_error = m_console;
}

Win32Console::~Win32Console()
{
    if (m_console != INVALID_HANDLE_VALUE)
        CloseHandle(m_console);
}

void Win32Console::WriteTo(HANDLE handle, std::string_view text)
{
    if (!handle)
        return;
    std::string lines;
    for (char c : text) {
        if (c == '\n')
            lines += '\r';
        lines += c;
    }
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(handle, &mode)) {
        const std::wstring wide = Utf8ToWide(lines);
        WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    } else {
        WriteFile(handle, lines.data(), static_cast<DWORD>(lines.size()), &written, nullptr);
    }
}
