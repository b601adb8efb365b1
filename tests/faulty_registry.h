// A registry that forwards to another and fails on demand, for the paths
// where the real one refuses: access denied, a full disk, another program
// changing the value in between.
#pragma once

#include <vector>

#include "platform/memory/event_log.h"
#include "platform/registry.h"

class FaultyRegistry final : public IRegistry {
public:
    explicit FaultyRegistry(IRegistry& inner) : m_inner(inner) {}

    bool failOpenForWrite = false;  // opens asking for more than KEY_READ fail
    bool failSet = false;
    bool failQuery = false;
    bool failDeleteValue = false;
    // When set, a successful set stores these bytes instead of the given ones.
    const std::vector<std::uint8_t>* storeInstead = nullptr;
    // When set, every change is recorded there: "set NAME", "delete value
    // NAME", "delete key NAME".
    EventLog* log = nullptr;

    OpenResult OpenKey(RegistryRoot root, std::string_view path, std::uint32_t access, RegKey& key) override
    {
        if (failOpenForWrite && access != kKeyRead) {
            key = nullptr;
            return OpenResult::Refused;
        }
        return m_inner.OpenKey(root, path, access, key);
    }
    bool QueryValue(RegKey key, std::string_view name, std::uint32_t capacity, RegistryValue& value) override
    {
        return !failQuery && m_inner.QueryValue(key, name, capacity, value);
    }
    bool SetValue(RegKey key, std::string_view name, std::uint32_t type, const std::uint8_t* data,
                  std::uint32_t size) override
    {
        Record(log, "set " + std::string(name));
        if (failSet)
            return false;
        if (storeInstead)
            return m_inner.SetValue(key, name, type, storeInstead->data(),
                                    static_cast<std::uint32_t>(storeInstead->size()));
        return m_inner.SetValue(key, name, type, data, size);
    }
    bool DeleteValue(RegKey key, std::string_view name) override
    {
        Record(log, "delete value " + std::string(name));
        return !failDeleteValue && m_inner.DeleteValue(key, name);
    }
    bool DeleteKey(RegKey parent, std::string_view subkey) override
    {
        Record(log, "delete key " + std::string(subkey));
        return m_inner.DeleteKey(parent, subkey);
    }
    bool CreateKey(RegistryRoot root, std::string_view path, std::uint32_t access, RegKey& key) override
    {
        Record(log, "create key " + std::string(path));
        return m_inner.CreateKey(root, path, access, key);
    }
    bool CountValues(RegKey key, std::uint32_t& count) override { return m_inner.CountValues(key, count); }
    bool ValueName(RegKey key, std::uint32_t index, std::string& name) override
    {
        return m_inner.ValueName(key, index, name);
    }
    bool EnumValue(RegKey key, std::uint32_t index, std::string& name, RegistryValue& value) override
    {
        return m_inner.EnumValue(key, index, name, value);
    }
    void CloseKey(RegKey key) override { m_inner.CloseKey(key); }

private:
    IRegistry& m_inner;
};
