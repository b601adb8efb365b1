#include "platform/win32/framework/unexpected_error.h"

#include "lang/texts.h"
#include "platform/win32/framework/app_name.h"
#include "platform/win32/win32.h"

void EndAfterUnexpectedError(Language language) noexcept
{
    // The memory may have run out: the text is turned into UTF-16 in place,
    // without an allocation.
    wchar_t text[256];
    if (MultiByteToWideChar(CP_UTF8, 0, TextPattern(TextId::UnexpectedError, language), -1, text, 256) == 0)
        text[0] = L'\0';
    MessageBoxW(nullptr, text, kAppName, MB_OK | MB_ICONERROR | MB_TASKMODAL);
    ExitProcess(3);
}
