// Text without the system's help, for the files and command lines the
// program reads and writes itself: UTF-8 and UTF-16 (.reg files are
// UTF-16LE), trimming, ASCII case, and numbers in hex. None of it uses the C
// library's printf, whose conforming version would add a hundred kilobytes
// to the program.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/utf8.h"

// `text` without the spaces, tabs and carriage returns around it.
std::string_view Trimmed(std::string_view text);

// `value` in lower-case hex, with leading zeros to at least `width` digits.
std::string HexNumber(std::uint32_t value, int width = 1);
