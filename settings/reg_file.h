// A .reg file as regedit writes it and imports it: the header "Windows
// Registry Editor Version 5.00", UTF-16LE with its byte-order mark, CRLF line
// ends. Keys are written as [HKEY_...\path] sections holding their values,
// deletions as [-HKEY_...] and "name"=-, remarks as lines starting with ';'.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry_types.h"

inline constexpr std::string_view kRegFileHeader = "Windows Registry Editor Version 5.00";

// "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE" or "HKEY_CLASSES_ROOT".
std::string_view RootName(RegistryRoot root);
// "HKEY_...\\path", as .reg files and reg.exe name a key.
std::string FullKeyName(RegistryRoot root, std::string_view keyPath);

class RegFile {
public:
    // A remark; each line of `text` becomes a line of its own.
    void Comment(std::string_view text);
    // A value set with exactly this type and data. `data` is as the registry
    // port gives it: texts as UTF-8 with their zero where the value has one.
    // A text that the quoted form would change (no single closing zero, a
    // zero or a line break inside) is written as hex(1), hex(2) or hex(7)
    // bytes, as is a REG_DWORD that is not four bytes long.
    void SetValue(RegistryRoot root, std::string_view keyPath, std::string_view name, std::uint32_t type,
                  const std::vector<std::uint8_t>& data);
    void DeleteValue(RegistryRoot root, std::string_view keyPath, std::string_view name);
    // The key with its values and subkeys.
    void DeleteKey(RegistryRoot root, std::string_view keyPath);
    // The key's section with no value in it: importing it makes the key.
    void AddKey(RegistryRoot root, std::string_view keyPath);

    // The whole file as UTF-8 text, header included.
    std::string Text() const;
    // The whole file as regedit writes it.
    std::vector<std::uint8_t> Bytes() const;

private:
    void EnterKey(RegistryRoot root, std::string_view keyPath);
    void StartBlock();

    // What the file's last lines are: a value added to the same key, or a
    // remark after a remark, goes on without a new block.
    enum class Block { None, Remarks, Section, KeyDeletion };

    std::string m_body;
    Block m_block = Block::None;
    std::string m_section;  // the key of the open section
};

// `text` with every '\' and '"' escaped by a '\', as a quoted .reg name or text.
std::string EscapeRegText(std::string_view text);
