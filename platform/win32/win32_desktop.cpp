#include "platform/win32/win32_desktop.h"

#include "platform/win32/text.h"
#include "platform/win32/win32.h"

TopWindow Win32Desktop::FindWindowByTitle(std::string_view title)
{
    return reinterpret_cast<TopWindow>(FindWindowW(nullptr, Utf8ToWide(title).c_str()));
}

std::intptr_t Win32Desktop::SendCloseMessage(TopWindow window)
{
    return SendMessageW(reinterpret_cast<HWND>(window), WM_CLOSE, 0, 0);
}
