// Small types shared by the portable code and the platform adapters.
#pragma once

#include <cstdint>

// A 32-bit flag that is always exactly 1 or 0, as the Win32 BOOL is.
// Declared to the same type as <windows.h> declares it, so both may meet.
using BOOL = std::int32_t;

inline constexpr BOOL ToBool(bool value) { return value ? 1 : 0; }
