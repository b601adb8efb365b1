#include "platform/win32/framework/unexpected_error.h"

#include "platform/win32/framework/app_name.h"
#include "platform/win32/framework/framework_texts.h"
#include "platform/win32/win32.h"

void EndAfterUnexpectedError(LANGID language) noexcept
{
    MessageBoxW(nullptr, UnexpectedErrorText(language), kAppName, MB_OK | MB_ICONERROR | MB_TASKMODAL);
    ExitProcess(3);
}
