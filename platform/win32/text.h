// UTF-8 inside the program, UTF-16 at the Win32 boundary.
#pragma once

#include <string>
#include <string_view>

#include "lang/languages.h"

std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view text);

// The system's own words for an error code, without the line break it ends
// with; where the system has none, the code in `language`.
std::string SystemMessage(unsigned long error, Language language);
