#include "platform/win32/win32_prompt.h"

#include <string>

#include "platform/win32/framework/app_name.h"
#include "platform/win32/text.h"

int Win32Prompt::Show(std::string_view text, std::uint32_t flags)
{
    return MessageBoxW(m_owner, Utf8ToWide(text).c_str(), kAppName, flags);
}

void Win32Prompt::Beep()
{
    MessageBeep(MB_OK);
}
