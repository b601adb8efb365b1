// The registry of the test prefix as the end-to-end tests prepare and read
// it, past the program, the way reg.exe would: keys are made as needed,
// values are shown as "TYPE DATA". Everything works on the 64-bit view, the
// one the system and the x86_64 program use.
#pragma once

#include <string>
#include <vector>

#include "platform/win32/win32.h"

namespace registry_state {

// A key of the registry by its full name, "HKLM\\SOFTWARE\\...".
struct Key {
    HKEY root;
    std::wstring path;
};
Key Parse(const std::wstring& fullName);

// Each makes the key when needed and ends the test's step with a failure
// (ADD_FAILURE) when it cannot write. An empty name is the default value.
void SetDword(const std::wstring& key, const std::wstring& name, DWORD number);
void SetText(const std::wstring& key, const std::wstring& name, const std::wstring& text);
void SetBinary(const std::wstring& key, const std::wstring& name, const std::vector<BYTE>& bytes);
// A value or key that is not there is fine.
void RemoveValue(const std::wstring& key, const std::wstring& name);
void RemoveKey(const std::wstring& key);
bool HasKey(const std::wstring& key);
// "REG_DWORD 0x1", "REG_SZ Ntp", "REG_BINARY 00", or "missing".
std::string Show(const std::wstring& key, const std::wstring& name);

}  // namespace registry_state

// A REG_SZ value set for a while: the constructor remembers what is there,
// Set writes the new text, the destructor puts back the old value (or removes
// the value when there was none). Works on the 64-bit view. A key that is
// not there is made, and stays.
// A key shut to everyone for a while, as a key whose permissions leave no
// one in: the constructor makes it (when needed) and sets an empty access
// list, the destructor lets everyone in again, as its owner may.
class ShutKey {
public:
    explicit ShutKey(const std::wstring& fullName);
    ~ShutKey();
    ShutKey(const ShutKey&) = delete;
    ShutKey& operator=(const ShutKey&) = delete;

private:
    bool SetAccessList(ACL* list);

    registry_state::Key m_key;
};

class RegistryValueOverride {
public:
    RegistryValueOverride(HKEY root, std::wstring subkey, std::wstring name);
    ~RegistryValueOverride();
    RegistryValueOverride(const RegistryValueOverride&) = delete;
    RegistryValueOverride& operator=(const RegistryValueOverride&) = delete;

    bool Set(const std::wstring& text, std::string& error);

private:
    void Restore();

    HKEY m_root;
    std::wstring m_subkey;
    std::wstring m_name;
    bool m_changed = false;
    bool m_hadValue = false;
    DWORD m_oldType = 0;
    std::vector<BYTE> m_oldData;
};

