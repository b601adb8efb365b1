// Reading a .reg file as regedit reads it: "Windows Registry Editor Version
// 5.00" (UTF-16LE, or UTF-8) or "REGEDIT4" (8-bit text), sections [KEY] and
// [-KEY], values "name"=..., @=... or "name"=-, remarks after ';', hex lists
// continued over lines ending with '\'.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "lang/languages.h"
#include "platform/registry_types.h"

namespace settings {

struct RegEntry {
    enum class Kind { Section, DeleteKey, SetValue, DeleteValue };

    Kind kind = Kind::Section;
    int line = 0;  // where the entry starts, from 1
    RegistryRoot root = RegistryRoot::None;
    std::string keyPath;
    std::string name;  // empty: the key's default value
    std::uint32_t type = 0;
    // As the registry port takes it: texts in UTF-8 with their zeros.
    std::vector<std::uint8_t> data;
};

struct ParsedRegFile {
    std::vector<RegEntry> entries;
    // 0 when the whole file reads; else the first line that does not, and why.
    int errorLine = 0;
    std::string error;
};

// The reason of an error is told in `language`.
ParsedRegFile ParseRegFile(const std::vector<std::uint8_t>& bytes, Language language);

}  // namespace settings
