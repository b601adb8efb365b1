// UTF-8 inside the program, UTF-16 at the Win32 boundary.
#pragma once

#include <string>
#include <string_view>

#include "platform/win32/win32.h"

std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view text);

// A number in decimal digits, without the C library's formatter.
std::wstring Decimal(unsigned long number);
// The system's own words for an error code, without the line break it ends
// with; where the system has none, the code in `language`.
std::wstring SystemMessage(unsigned long error, LANGID language);
