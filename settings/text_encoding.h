// UTF-8 and UTF-16 without the system's help, for the files the program
// writes and reads itself (.reg files are UTF-16LE).
#pragma once

#include <string>
#include <string_view>

// Each malformed byte of `text` becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);
// Each unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);
