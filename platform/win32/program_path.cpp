#include "platform/win32/program_path.h"

#include "platform/win32/win32.h"

std::wstring ProgramPath()
{
    // Paths may be longer than MAX_PATH: grow the buffer until the name fits.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}
