// Port: the registry, as the settings engine and the dialogs use it.
// Keys are opened, never created, except by the revert of a backup, which
// re-creates the one key that a pass deletes. Every operation reports
// success or failure only; callers decide what a failure means.
//
// Text values (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ) pass through this port
// as UTF-8 bytes, with a terminating zero exactly where the stored value has
// one. Their size is counted in characters (UTF-16 units, as Windows stores
// them), so a capacity of 128 holds a text of 127 characters and its zero,
// whatever the characters are. Other values are counted in bytes.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry_types.h"

// An open key. Null names no key.
using RegKey = struct RegKeyOpaque*;

// Access masks, with the values Windows gives them.
enum RegistryAccess : std::uint32_t {
    kKeyRead = 0x20019,
    kKeyWrite = 0x20006,
    kKeyAllAccess = 0xF003F,
};

// How an open went. A key that is there but cannot be opened is not a key
// that is absent: a pass that took the one for the other would report as
// done what it could not do.
enum class OpenResult {
    Opened,
    Missing,  // the key (or a key above it) does not exist
    Refused,  // it exists, but access was refused or the open failed otherwise
};

// The buffers every caller uses: 128 for data and enumerated names, 4 for a
// REG_DWORD test.
inline constexpr std::uint32_t kRegistryBufferSize = 128;
inline constexpr std::uint32_t kRegistryDwordSize = 4;

struct RegistryValue {
    std::uint32_t type = kRegNone;
    std::vector<std::uint8_t> data;
};

// Bytes of a value taken as text: up to the first zero byte, and never
// beyond the bytes there are (a stored text need not end in a zero).
inline std::string_view BytesAsText(const std::uint8_t* data, std::size_t size)
{
    const std::uint8_t* end = data ? std::find(data, data + size, std::uint8_t{0}) : data;
    return {reinterpret_cast<const char*>(data), static_cast<std::size_t>(end - data)};
}

inline std::string_view BytesAsText(const std::vector<std::uint8_t>& data)
{
    return BytesAsText(data.data(), data.size());
}

// A REG_DWORD's data: the number's four bytes, least significant first.
inline std::vector<std::uint8_t> DwordBytes(std::uint32_t number)
{
    return {static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8),
            static_cast<std::uint8_t>(number >> 16), static_cast<std::uint8_t>(number >> 24)};
}

// A REG_DWORD read into a zeroed 4-byte number: shorter data fills its low bytes.
inline std::uint32_t AsNumber(const std::vector<std::uint8_t>& data)
{
    std::uint32_t number = 0;
    for (std::size_t i = 0; i < data.size() && i < 4; ++i)
        number |= static_cast<std::uint32_t>(data[i]) << (8 * i);
    return number;
}

// A REG_SZ's data as the program writes texts: the bytes and a terminating zero.
inline std::vector<std::uint8_t> TextBytes(std::string_view text)
{
    std::vector<std::uint8_t> data(text.begin(), text.end());
    data.push_back(0);
    return data;
}

inline bool IsTextType(std::uint32_t type)
{
    return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

class IRegistry {
public:
    IRegistry() = default;
    IRegistry(const IRegistry&) = delete;
    IRegistry& operator=(const IRegistry&) = delete;
    virtual ~IRegistry() = default;

    // Opens an existing key below `root` (an empty path opens the root).
    // `key` is set only when the result is Opened.
    virtual OpenResult OpenKey(RegistryRoot root, std::string_view path, std::uint32_t access,
                               RegKey& key) = 0;
    // The value's type and data; fails when the value is missing or its data
    // is larger than `capacity`. The empty name is the key's default value.
    virtual bool QueryValue(RegKey key, std::string_view name, std::uint32_t capacity,
                            RegistryValue& value) = 0;
    // Stores exactly these bytes with this type, replacing a value of the
    // same name (names differ only in case count as the same).
    virtual bool SetValue(RegKey key, std::string_view name, std::uint32_t type,
                          const std::uint8_t* data, std::uint32_t size) = 0;
    // Fails when the value did not exist.
    virtual bool DeleteValue(RegKey key, std::string_view name) = 0;
    // Deletes a subkey that has no subkeys; fails when it did not exist.
    virtual bool DeleteKey(RegKey parent, std::string_view subkey) = 0;
    // Opens the key below `root`, making it first (with any missing
    // ancestor) when it does not exist.
    virtual bool CreateKey(RegistryRoot root, std::string_view path, std::uint32_t access, RegKey& key) = 0;
    // How many values the key holds, its default value included.
    virtual bool CountValues(RegKey key, std::uint32_t& count) = 0;
    // The value at `index`, from 0; fails past the last value, or when its
    // name is over 127 characters or its data over 128 (see above).
    virtual bool EnumValue(RegKey key, std::uint32_t index, std::string& name,
                           RegistryValue& value) = 0;
    // The name of the value at `index`, from 0, whatever its length; fails
    // past the last value.
    virtual bool ValueName(RegKey key, std::uint32_t index, std::string& name) = 0;
    virtual void CloseKey(RegKey key) = 0;
};

// An open key that closes itself: opened by the constructor, closed by the
// destructor, so no early return can leave a key open.
class ScopedRegKey {
public:
    ScopedRegKey(IRegistry& registry, RegistryRoot root, std::string_view path, std::uint32_t access)
        : m_registry(registry), m_result(registry.OpenKey(root, path, access, m_key))
    {
    }
    ~ScopedRegKey()
    {
        if (m_result == OpenResult::Opened)
            m_registry.CloseKey(m_key);
    }
    ScopedRegKey(const ScopedRegKey&) = delete;
    ScopedRegKey& operator=(const ScopedRegKey&) = delete;

    // Whether the key opened.
    explicit operator bool() const { return m_result == OpenResult::Opened; }
    // Whether it did not because it is not there.
    bool Missing() const { return m_result == OpenResult::Missing; }
    RegKey Get() const { return m_key; }

private:
    IRegistry& m_registry;
    RegKey m_key = nullptr;
    OpenResult m_result;
};
