// The registry of a Windows installation that is not running, over its hive
// files, as the running system would show it to one of its users:
// HKLM\SOFTWARE and HKLM\SYSTEM are the hives `software` and `system`, with
// CurrentControlSet standing for the control set in use; HKCU is the user's
// NTUSER.DAT; HKCR is the user's UsrClass.dat, where there is one, over
// SOFTWARE\Classes, key by key as Windows merges them. Changes stay in
// memory until CommitHives puts the hives in place.
//
// hivex's ways are kept out of the port: a value is deleted by writing the
// set without it, a value keeps the spelling of its name when it is set
// again, a key whose name is not ASCII is never made (hivex files it under
// a wrong hash), only a key without subkeys is deleted, and every changed
// key is noted so that the commit gives it the time of the change.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/hive/hive_file.h"
#include "platform/registry.h"

struct HiveMounts {
    HiveFile* software = nullptr;
    HiveFile* system = nullptr;
    std::string currentControlSet;  // the key that stands for CurrentControlSet: "ControlSet001"
    HiveFile* user = nullptr;         // null: no HKCU
    HiveFile* userClasses = nullptr;  // null: HKCR is SOFTWARE\Classes alone
};

class HiveRegistry final : public IRegistry {
public:
    explicit HiveRegistry(HiveMounts mounts) : m_mounts(std::move(mounts)) {}

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

    // The names of the open key's subkeys, outside the port: the offline
    // program lists the profiles with it.
    std::vector<std::string> SubkeyNames(RegKey key) const;

private:
    struct Place {
        HiveFile* hive = nullptr;
        std::size_t node = 0;
    };
    struct OpenKeyRecord {
        Place place;
        std::uint32_t access;
    };

    // Where `path` below `root` lies, walking down from the hive that holds
    // it; with `create`, making the keys that are missing.
    OpenResult Locate(RegistryRoot root, std::string_view path, bool create, Place& place);
    // The open key behind a handle, when its access grants `right` and it
    // has not been deleted since.
    const Place* Resolve(RegKey handle, std::uint32_t right) const;
    RegKey Remember(const Place& place, std::uint32_t access);

    HiveMounts m_mounts;
    std::map<std::uintptr_t, OpenKeyRecord> m_open;
    std::uintptr_t m_nextHandle = 1;
};
