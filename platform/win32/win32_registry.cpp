#include "platform/win32/win32_registry.h"

#include <algorithm>
#include <cstring>

#include "platform/win32/text.h"

static_assert(sizeof(wchar_t) == 2, "Windows stores text as UTF-16 units");

namespace {

HKEY Handle(RegKey key)
{
    return reinterpret_cast<HKEY>(key);
}

HKEY RootHandle(RegistryRoot root)
{
    switch (root) {
    case RegistryRoot::CurrentUser:
        return HKEY_CURRENT_USER;
    case RegistryRoot::LocalMachine:
        return HKEY_LOCAL_MACHINE;
    case RegistryRoot::ClassesRoot:
        return HKEY_CLASSES_ROOT;
    case RegistryRoot::None:
        break;
    }
    return nullptr;
}

// A function that not every Windows exports, or null.
template <typename Function>
Function LookUp(const wchar_t* module, const char* name)
{
    const HMODULE loaded = GetModuleHandleW(module);
    if (!loaded)
        return nullptr;
    // Through void (*)(), the one function type GCC lets stand for any other.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(loaded, name)));
}

// Whether stored data of `size` bytes fits the caller's capacity: text is
// counted in UTF-16 units, everything else in bytes.
bool Fits(DWORD type, DWORD size, std::uint32_t capacity)
{
    const std::uint64_t limit = IsTextType(type) ? std::uint64_t{capacity} * sizeof(wchar_t) : capacity;
    return size <= limit;
}

// Stored data as the port passes it on. Text becomes UTF-8, every unit
// converted (zeros too, so a zero stays exactly where it was stored); an odd
// trailing byte is no whole unit and is dropped.
void FromStored(DWORD type, const BYTE* data, DWORD size, RegistryValue& value)
{
    value.type = type;
    if (!IsTextType(type)) {
        value.data.assign(data, data + size);
        return;
    }
    std::wstring units(size / sizeof(wchar_t), L'\0');
    std::memcpy(units.data(), data, units.size() * sizeof(wchar_t));
    const std::string text = WideToUtf8(units);
    value.data.assign(text.begin(), text.end());
}

}  // namespace

Win32Registry::Win32Registry()
{
    if (RunsUnderWow64()) {
        m_view = KEY_WOW64_64KEY;
        m_deleteKeyEx = LookUp<DeleteKeyExFunction>(L"advapi32.dll", "RegDeleteKeyExW");
    }
}

bool Win32Registry::RunsUnderWow64()
{
    using IsWow64ProcessFunction = BOOL(WINAPI*)(HANDLE, PBOOL);
    const auto isWow64Process = LookUp<IsWow64ProcessFunction>(L"kernel32.dll", "IsWow64Process");
    BOOL wow64 = FALSE;
    return isWow64Process && isWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

OpenResult Win32Registry::OpenKey(RegistryRoot root, std::string_view path, std::uint32_t access,
                                  RegKey& key)
{
    key = nullptr;
    const HKEY rootKey = RootHandle(root);
    if (!rootKey)
        return OpenResult::Missing;
    HKEY opened = nullptr;
    const LONG result = RegOpenKeyExW(rootKey, Utf8ToWide(path).c_str(), 0, access | m_view, &opened);
    if (result == ERROR_FILE_NOT_FOUND || result == ERROR_PATH_NOT_FOUND)
        return OpenResult::Missing;
    if (result != ERROR_SUCCESS)
        return OpenResult::Refused;
    key = reinterpret_cast<RegKey>(opened);
    return OpenResult::Opened;
}

bool Win32Registry::QueryValue(RegKey key, std::string_view name, std::uint32_t capacity,
                               RegistryValue& value)
{
    const std::wstring wideName = Utf8ToWide(name);
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(Handle(key), wideName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return false;
    if (!Fits(type, size, capacity))
        return false;

    // A buffer of exactly the size learnt: should the value have grown since,
    // the read fails with ERROR_MORE_DATA; any other change fails below.
    std::vector<BYTE> data(std::max<DWORD>(size, 1));
    DWORD readType = 0;
    DWORD readSize = size;
    if (RegQueryValueExW(Handle(key), wideName.c_str(), nullptr, &readType, data.data(), &readSize) !=
        ERROR_SUCCESS)
        return false;
    if (readType != type || readSize != size)
        return false;
    FromStored(type, data.data(), size, value);
    return true;
}

bool Win32Registry::SetValue(RegKey key, std::string_view name, std::uint32_t type,
                             const std::uint8_t* data, std::uint32_t size)
{
    if (!data && size != 0)
        return false;
    const std::wstring wideName = Utf8ToWide(name);
    if (!IsTextType(type))
        return RegSetValueExW(Handle(key), wideName.c_str(), 0, type, data, size) == ERROR_SUCCESS;

    std::wstring units = Utf8ToWide({reinterpret_cast<const char*>(data), size});
    const auto bytes = static_cast<DWORD>(units.size() * sizeof(wchar_t));
    // RegSetValueExW stores one unit more than asked when the given text
    // lacks its zero and the unit after it is one, as a std::wstring's is.
    // A non-zero unit there keeps the stored bytes exactly those given.
    units.push_back(L'?');
    return RegSetValueExW(Handle(key), wideName.c_str(), 0, type,
                          reinterpret_cast<const BYTE*>(units.c_str()), bytes) == ERROR_SUCCESS;
}

bool Win32Registry::DeleteValue(RegKey key, std::string_view name)
{
    return RegDeleteValueW(Handle(key), Utf8ToWide(name).c_str()) == ERROR_SUCCESS;
}

bool Win32Registry::DeleteKey(RegKey parent, std::string_view subkey)
{
    // An empty name would make Windows delete the parent itself.
    if (subkey.empty())
        return false;
    const std::wstring wideSubkey = Utf8ToWide(subkey);
    const LONG result = m_deleteKeyEx ? m_deleteKeyEx(Handle(parent), wideSubkey.c_str(), m_view, 0)
                                      : RegDeleteKeyW(Handle(parent), wideSubkey.c_str());
    return result == ERROR_SUCCESS;
}

bool Win32Registry::CountValues(RegKey key, std::uint32_t& count)
{
    DWORD values = 0;
    if (RegQueryInfoKeyW(Handle(key), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr,
                         nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return false;
    count = values;
    return true;
}

bool Win32Registry::EnumValue(RegKey key, std::uint32_t index, std::string& name,
                              RegistryValue& value)
{
    wchar_t nameBuffer[kRegistryBufferSize];
    DWORD nameLength = kRegistryBufferSize;
    // Room for a text of 128 units; other types are held to 128 bytes by Fits.
    BYTE data[kRegistryBufferSize * sizeof(wchar_t)];
    DWORD size = sizeof data;
    DWORD type = 0;
    if (RegEnumValueW(Handle(key), index, nameBuffer, &nameLength, nullptr, &type, data, &size) !=
        ERROR_SUCCESS)
        return false;
    if (!Fits(type, size, kRegistryBufferSize))
        return false;
    name = WideToUtf8({nameBuffer, nameLength});
    FromStored(type, data, size, value);
    return true;
}

bool Win32Registry::CreateKey(RegistryRoot root, std::string_view path, std::uint32_t access, RegKey& key)
{
    key = nullptr;
    const HKEY rootKey = RootHandle(root);
    if (!rootKey)
        return false;
    HKEY created = nullptr;
    if (RegCreateKeyExW(rootKey, Utf8ToWide(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access | m_view,
                        nullptr, &created, nullptr) != ERROR_SUCCESS)
        return false;
    key = reinterpret_cast<RegKey>(created);
    return true;
}

bool Win32Registry::ValueName(RegKey key, std::uint32_t index, std::string& name)
{
    // The longest value name the registry allows, and its zero.
    wchar_t buffer[16384];
    DWORD length = 16384;
    if (RegEnumValueW(Handle(key), index, buffer, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return false;
    name = WideToUtf8({buffer, length});
    return true;
}

void Win32Registry::CloseKey(RegKey key)
{
    if (key)
        RegCloseKey(Handle(key));
}
