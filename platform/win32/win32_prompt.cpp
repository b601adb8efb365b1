#include "platform/win32/win32_prompt.h"

#include <string>

#include "platform/win32/program_path.h"
#include "platform/win32/text.h"

namespace {

// The program's file name without its extension, as the default title.
std::wstring ProgramName()
{
    std::wstring name = ProgramPath();
    name.erase(0, name.find_last_of(L"\\/") + 1);
    const auto dot = name.find_last_of(L'.');
    if (dot != std::wstring::npos)
        name.erase(dot);
    return name;
}

}  // namespace

int Win32Prompt::Show(std::string_view text, std::uint32_t flags)
{
    return MessageBoxW(m_owner, Utf8ToWide(text).c_str(), ProgramName().c_str(), flags);
}

void Win32Prompt::Beep()
{
    MessageBeep(MB_OK);
}
