#include "tests/win/e2e/registry_state.h"

#include <gtest/gtest.h>

#include <shlwapi.h>

#include <cstdio>
#include <cstring>

#include "platform/win32/text.h"

namespace registry_state {

namespace {

constexpr REGSAM k64 = KEY_WOW64_64KEY;

HKEY Create(const std::wstring& fullName)
{
    const Key key = Parse(fullName);
    HKEY opened = nullptr;
    if (RegCreateKeyExW(key.root, key.path.c_str(), 0, nullptr, 0, KEY_SET_VALUE | k64, nullptr, &opened,
                        nullptr) != ERROR_SUCCESS) {
        ADD_FAILURE() << "cannot make " << WideToUtf8(fullName);
        return nullptr;
    }
    return opened;
}

void Set(const std::wstring& fullName, const std::wstring& name, DWORD type, const BYTE* data, DWORD size)
{
    HKEY key = Create(fullName);
    if (!key)
        return;
    if (RegSetValueExW(key, name.c_str(), 0, type, data, size) != ERROR_SUCCESS)
        ADD_FAILURE() << "cannot set " << WideToUtf8(fullName) << "\\" << WideToUtf8(name);
    RegCloseKey(key);
}

std::string Hex(const BYTE* data, DWORD size)
{
    std::string text;
    for (DWORD i = 0; i < size; ++i) {
        char digits[3];
        std::snprintf(digits, sizeof digits, "%02X", data[i]);
        text += digits;
    }
    return text;
}

}  // namespace

Key Parse(const std::wstring& fullName)
{
    struct Root {
        const wchar_t* name;
        HKEY key;
    };
    static const Root roots[] = {{L"HKLM", HKEY_LOCAL_MACHINE}, {L"HKCU", HKEY_CURRENT_USER},
                                 {L"HKCR", HKEY_CLASSES_ROOT}};
    const std::size_t slash = fullName.find(L'\\');
    const std::wstring rootName = fullName.substr(0, slash);
    for (const Root& root : roots) {
        if (rootName == root.name)
            return {root.key, slash == std::wstring::npos ? std::wstring() : fullName.substr(slash + 1)};
    }
    ADD_FAILURE() << "no root in " << WideToUtf8(fullName);
    return {HKEY_CURRENT_USER, L"Software\\VeilmarkNoSuchRoot"};
}

void SetDword(const std::wstring& key, const std::wstring& name, DWORD number)
{
    Set(key, name, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
}

void SetText(const std::wstring& key, const std::wstring& name, const std::wstring& text)
{
    Set(key, name, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
        static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

void SetBinary(const std::wstring& key, const std::wstring& name, const std::vector<BYTE>& bytes)
{
    Set(key, name, REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size()));
}

void RemoveValue(const std::wstring& fullName, const std::wstring& name)
{
    const Key key = Parse(fullName);
    HKEY opened = nullptr;
    if (RegOpenKeyExW(key.root, key.path.c_str(), 0, KEY_SET_VALUE | k64, &opened) != ERROR_SUCCESS)
        return;
    RegDeleteValueW(opened, name.c_str());
    RegCloseKey(opened);
}

void RemoveKey(const std::wstring& fullName)
{
    const Key key = Parse(fullName);
    HKEY root = nullptr;
    if (RegOpenKeyExW(key.root, nullptr, 0, KEY_ALL_ACCESS | k64, &root) != ERROR_SUCCESS)
        return;
    SHDeleteKeyW(root, key.path.c_str());
    RegCloseKey(root);
}

bool HasKey(const std::wstring& fullName)
{
    const Key key = Parse(fullName);
    HKEY opened = nullptr;
    if (RegOpenKeyExW(key.root, key.path.c_str(), 0, KEY_READ | k64, &opened) != ERROR_SUCCESS)
        return false;
    RegCloseKey(opened);
    return true;
}

std::string Show(const std::wstring& fullName, const std::wstring& name)
{
    const Key key = Parse(fullName);
    HKEY opened = nullptr;
    if (RegOpenKeyExW(key.root, key.path.c_str(), 0, KEY_READ | k64, &opened) != ERROR_SUCCESS)
        return "missing";
    BYTE data[1026] = {};  // two zero bytes beyond what is read end any text
    DWORD size = sizeof data - 2;
    DWORD type = 0;
    const LONG status = RegQueryValueExW(opened, name.c_str(), nullptr, &type, data, &size);
    RegCloseKey(opened);
    if (status != ERROR_SUCCESS)
        return "missing";
    switch (type) {
    case REG_DWORD: {
        DWORD number = 0;
        std::memcpy(&number, data, sizeof number);
        char text[32];
        std::snprintf(text, sizeof text, "REG_DWORD 0x%lx", static_cast<unsigned long>(number));
        return text;
    }
    case REG_SZ:
        return "REG_SZ " + WideToUtf8(reinterpret_cast<const wchar_t*>(data));
    case REG_BINARY:
        return "REG_BINARY " + Hex(data, size);
    default:
        return "type " + std::to_string(type) + " " + Hex(data, size);
    }
}

}  // namespace registry_state



RegistryValueOverride::RegistryValueOverride(HKEY root, std::wstring subkey, std::wstring name)
    : m_root(root), m_subkey(std::move(subkey)), m_name(std::move(name))
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(m_root, m_subkey.c_str(), 0, KEY_QUERY_VALUE | KEY_WOW64_64KEY, &key) != ERROR_SUCCESS)
        return;
    DWORD size = 0;
    if (RegQueryValueExW(key, m_name.c_str(), nullptr, &m_oldType, nullptr, &size) == ERROR_SUCCESS) {
        m_oldData.resize(size);
        m_hadValue = RegQueryValueExW(key, m_name.c_str(), nullptr, &m_oldType, m_oldData.data(), &size) ==
                     ERROR_SUCCESS;
        m_oldData.resize(size);
    }
    RegCloseKey(key);
}

RegistryValueOverride::~RegistryValueOverride()
{
    Restore();
}

bool RegistryValueOverride::Set(const std::wstring& text, std::string& error)
{
    HKEY key = nullptr;
    LONG status = RegCreateKeyExW(m_root, m_subkey.c_str(), 0, nullptr, 0, KEY_SET_VALUE | KEY_WOW64_64KEY, nullptr,
                                  &key, nullptr);
    if (status == ERROR_SUCCESS) {
        m_changed = true;
        status = RegSetValueExW(key, m_name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
    }
    if (status != ERROR_SUCCESS)
        error = "cannot set " + WideToUtf8(m_subkey) + "\\" + WideToUtf8(m_name) + " (error " +
                std::to_string(status) + ")";
    return status == ERROR_SUCCESS;
}

void RegistryValueOverride::Restore()
{
    if (!m_changed)
        return;
    HKEY key = nullptr;
    if (RegOpenKeyExW(m_root, m_subkey.c_str(), 0, KEY_SET_VALUE | KEY_WOW64_64KEY, &key) != ERROR_SUCCESS)
        return;
    if (m_hadValue)
        RegSetValueExW(key, m_name.c_str(), 0, m_oldType, m_oldData.data(), static_cast<DWORD>(m_oldData.size()));
    else
        RegDeleteValueW(key, m_name.c_str());
    RegCloseKey(key);
    m_changed = false;
}


ShutKey::ShutKey(const std::wstring& fullName) : m_key(registry_state::Parse(fullName))
{
    HKEY created = nullptr;
    if (RegCreateKeyExW(m_key.root, m_key.path.c_str(), 0, nullptr, 0, KEY_READ | KEY_WOW64_64KEY, nullptr, &created,
                        nullptr) == ERROR_SUCCESS)
        RegCloseKey(created);
    ACL empty;
    if (!InitializeAcl(&empty, sizeof empty, ACL_REVISION) || !SetAccessList(&empty))
        ADD_FAILURE() << "cannot shut " << WideToUtf8(fullName);
}

ShutKey::~ShutKey()
{
    if (!SetAccessList(nullptr))
        ADD_FAILURE() << "cannot open " << WideToUtf8(m_key.path) << " again";
}

bool ShutKey::SetAccessList(ACL* list)
{
    SECURITY_DESCRIPTOR descriptor;
    HKEY key = nullptr;
    if (!InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) ||
        !SetSecurityDescriptorDacl(&descriptor, TRUE, list, FALSE) ||
        RegOpenKeyExW(m_key.root, m_key.path.c_str(), 0, WRITE_DAC | KEY_WOW64_64KEY, &key) != ERROR_SUCCESS)
        return false;
    const bool set = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor) == ERROR_SUCCESS;
    RegCloseKey(key);
    return set;
}
