// An in-memory registry with the behaviour of the real one, as far as the
// program relies on it: keys and value names ignore (ASCII) case, access
// masks are honoured, a key can be shut to every open, and sizes are
// counted as the port's header says. Tests seed it through the setup calls;
// through the port, keys are made only by CreateKey, as the revert makes one.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"

class MemoryRegistry final : public IRegistry {
public:
    MemoryRegistry();

    // Setup and inspection, outside the port.
    void CreateKey(RegistryRoot root, std::string_view path);
    // Creates the key when needed, then stores the value.
    void Put(RegistryRoot root, std::string_view path, std::string_view name, std::uint32_t type,
             std::vector<std::uint8_t> data);
    void PutDword(RegistryRoot root, std::string_view path, std::string_view name, std::uint32_t number);
    // Stores the text with its terminating zero, as the program writes texts.
    void PutText(RegistryRoot root, std::string_view path, std::string_view name, std::string_view text);
    bool HasKey(RegistryRoot root, std::string_view path) const;
    std::optional<RegistryValue> Get(RegistryRoot root, std::string_view path, std::string_view name) const;
    // The names of the key's values, in the order they were made.
    std::vector<std::string> ValueNames(RegistryRoot root, std::string_view path) const;
    // Removes the key with everything below it.
    void RemoveTree(RegistryRoot root, std::string_view path);
    // Makes the key (which need not exist yet) refuse every open and its
    // own deletion, as a key whose permissions shut everyone out does.
    void DenyAccess(RegistryRoot root, std::string_view path);
    // Keys opened through the port and not yet closed.
    std::size_t OpenKeyCount() const { return m_open.size(); }

    OpenResult OpenKey(RegistryRoot root, std::string_view path, std::uint32_t access, RegKey& key) override;
    bool QueryValue(RegKey key, std::string_view name, std::uint32_t capacity, RegistryValue& value) override;
    bool SetValue(RegKey key, std::string_view name, std::uint32_t type, const std::uint8_t* data,
                  std::uint32_t size) override;
    bool DeleteValue(RegKey key, std::string_view name) override;
    bool DeleteKey(RegKey parent, std::string_view subkey) override;
    bool CreateKey(RegistryRoot root, std::string_view path, std::uint32_t access, RegKey& key) override;
    bool CountValues(RegKey key, std::uint32_t& count) override;
    bool EnumValue(RegKey key, std::uint32_t index, std::string& name, RegistryValue& value) override;
    bool ValueName(RegKey key, std::uint32_t index, std::string& name) override;
    void CloseKey(RegKey key) override;

private:
    struct NamedValue {
        std::string name;  // as first stored
        RegistryValue value;
    };
    struct Key {
        std::vector<NamedValue> values;  // in the order they were made
    };
    struct OpenKeyRecord {
        std::string path;  // folded full path
        std::uint32_t access;
    };

    static std::string FoldedPath(RegistryRoot root, std::string_view path);
    Key* KeyAt(const std::string& folded);
    // The open key behind a handle, when it still exists and the handle's
    // access grants `right`.
    Key* Resolve(RegKey handle, std::uint32_t right, std::string* folded = nullptr);
    static std::vector<NamedValue>::const_iterator Find(const Key& key, std::string_view name);
    // Replaces the value of that name, or appends it as a new one.
    static void Store(Key& key, std::string_view name, RegistryValue value);

    std::map<std::string, Key> m_keys;  // by folded full path: "<root>\\a\\b"
    std::map<std::uintptr_t, OpenKeyRecord> m_open;
    std::set<std::string> m_denied;  // folded full paths
    std::uintptr_t m_nextHandle = 1;
};

// The size of a value's data as the port counts it against a capacity.
std::uint32_t RegistryDataSize(std::uint32_t type, const std::vector<std::uint8_t>& data);
