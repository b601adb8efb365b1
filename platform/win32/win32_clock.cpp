#include "platform/win32/win32_clock.h"

#include "platform/win32/framework/message_pump.h"

void Win32Clock::Sleep(std::uint32_t milliseconds)
{
    WaitDiscardingInput(milliseconds);
}
