// The registry port on the real Win32 registry, through the wide functions.
// Keys are opened; only the revert of a backup creates one.
//
// A 32-bit build running on 64-bit Windows (WOW64) would see HKLM\SOFTWARE
// redirected to its 32-bit copy, which the system itself does not read; there
// every key is opened in the 64-bit view instead. Elsewhere the access masks
// stay exactly as the callers give them.
#pragma once

#include "platform/registry.h"
#include "platform/win32/win32.h"

class Win32Registry final : public IRegistry {
public:
    Win32Registry();

    // Whether this process is a 32-bit program on 64-bit Windows. Looked up
    // at run time: Windows XP before SP2 has no IsWow64Process.
    static bool RunsUnderWow64();

    OpenResult OpenKey(RegistryRoot root, std::string_view path, std::uint32_t access,
                       RegKey& key) override;
    bool QueryValue(RegKey key, std::string_view name, std::uint32_t capacity,
                    RegistryValue& value) override;
    bool SetValue(RegKey key, std::string_view name, std::uint32_t type,
                  const std::uint8_t* data, std::uint32_t size) override;
    bool DeleteValue(RegKey key, std::string_view name) override;
    bool DeleteKey(RegKey parent, std::string_view subkey) override;
    bool CreateKey(RegistryRoot root, std::string_view path, std::uint32_t access, RegKey& key) override;
    bool CountValues(RegKey key, std::uint32_t& count) override;
    bool EnumValue(RegKey key, std::uint32_t index, std::string& name,
                   RegistryValue& value) override;
    bool ValueName(RegKey key, std::uint32_t index, std::string& name) override;
    void CloseKey(RegKey key) override;

private:
    using DeleteKeyExFunction = LONG(WINAPI*)(HKEY, LPCWSTR, REGSAM, DWORD);

    // KEY_WOW64_64KEY under WOW64, else 0.
    REGSAM m_view = 0;
    // RegDeleteKeyExW, needed under WOW64 only: RegDeleteKeyW deletes in the
    // 32-bit view whatever view the parent was opened in.
    DeleteKeyExFunction m_deleteKeyEx = nullptr;
};
