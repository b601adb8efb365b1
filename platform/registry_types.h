// Names for the registry roots and value types the program uses, with the
// numbers Windows gives them, so the portable code can speak of them.
#pragma once

#include <cstdint>

enum class RegistryRoot { None, CurrentUser, LocalMachine, ClassesRoot };

enum RegistryType : std::uint32_t {
    kRegNone = 0,
    kRegSz = 1,
    kRegExpandSz = 2,
    kRegBinary = 3,
    kRegDword = 4,
    kRegMultiSz = 7,
};
