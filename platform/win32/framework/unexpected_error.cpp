#include "platform/win32/framework/unexpected_error.h"

#include "platform/win32/framework/app_name.h"
#include "platform/win32/win32.h"

void EndAfterUnexpectedError() noexcept
{
    MessageBoxW(nullptr, L"發生未預期的錯誤（可能是記憶體不足），程式必須結束。", kAppName,
                MB_OK | MB_ICONERROR | MB_TASKMODAL);
    ExitProcess(3);
}
