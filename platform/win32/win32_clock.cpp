#include "platform/win32/win32_clock.h"

#include "platform/win32/framework/message_pump.h"
#include "platform/win32/win32.h"

LocalTime Win32Clock::Now() const
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

void Win32Clock::Sleep(std::uint32_t milliseconds)
{
    WaitDiscardingInput(milliseconds);
}
