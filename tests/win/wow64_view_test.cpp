// A 32-bit build on 64-bit Windows must change the registry the system reads:
// HKLM\SOFTWARE in the 64-bit view, not its 32-bit copy. Runs only under
// WOW64; tools/wow64_check.sh runs it in a 64-bit prefix and then looks for
// the marker with a 64-bit reg.exe, from outside the program.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32/win32_registry.h"

namespace {

constexpr wchar_t kCheckKey[] = L"SOFTWARE\\VeilmarkWow64Check";
constexpr char kMarker[] = "written by the 32-bit build";

// Opens the check key, or a key below it, in the given view past the adapter.
HKEY OpenIn(REGSAM view, const std::wstring& path = kCheckKey)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

bool HasValue(HKEY key, const wchar_t* name, std::vector<BYTE>& data)
{
    BYTE buffer[256];
    DWORD size = sizeof buffer;
    if (RegQueryValueExW(key, name, nullptr, nullptr, buffer, &size) != ERROR_SUCCESS)
        return false;
    data.assign(buffer, buffer + size);
    return true;
}

TEST(Wow64View, ChangesBelowSoftwareLandInThe64BitView)
{
    if (!Win32Registry::RunsUnderWow64())
        GTEST_SKIP() << "not a 32-bit program on 64-bit Windows";

    Win32Registry registry;
    RegKey software = nullptr;
    ASSERT_EQ(OpenResult::Opened, registry.OpenKey(RegistryRoot::LocalMachine, "SOFTWARE", kKeyAllAccess, software))
        << "needs the right to change HKEY_LOCAL_MACHINE";
    registry.DeleteKey(software, "VeilmarkWow64Check\\Child");  // a previous run's leftovers
    registry.DeleteKey(software, "VeilmarkWow64Check");

    HKEY created = nullptr;
    const std::wstring child = std::wstring(kCheckKey) + L"\\Child";
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_LOCAL_MACHINE, child.c_str(), 0, nullptr, 0,
                                             KEY_ALL_ACCESS | KEY_WOW64_64KEY, nullptr, &created, nullptr));
    RegCloseKey(created);

    RegKey check = nullptr;
    ASSERT_EQ(OpenResult::Opened, registry.OpenKey(RegistryRoot::LocalMachine, "SOFTWARE\\VeilmarkWow64Check",
                                                   kKeyAllAccess, check))
        << "a key made in the 64-bit view must open";
    ASSERT_TRUE(registry.SetValue(check, "Marker", kRegSz, reinterpret_cast<const std::uint8_t*>(kMarker),
                                  sizeof kMarker));
    const std::uint8_t one[] = {1, 0, 0, 0};
    ASSERT_TRUE(registry.SetValue(check, "Gone", kRegDword, one, sizeof one));
    EXPECT_TRUE(registry.DeleteValue(check, "Gone"));
    EXPECT_TRUE(registry.DeleteKey(check, "Child")) << "deleting must reach the 64-bit view too";
    registry.CloseKey(check);

    const HKEY native = OpenIn(KEY_WOW64_64KEY);
    ASSERT_NE(nullptr, native);
    std::vector<BYTE> data;
    ASSERT_TRUE(HasValue(native, L"Marker", data));
    const std::wstring expected = L"written by the 32-bit build";
    EXPECT_EQ(std::vector<BYTE>(reinterpret_cast<const BYTE*>(expected.c_str()),
                                reinterpret_cast<const BYTE*>(expected.c_str() + expected.size() + 1)),
              data);
    EXPECT_FALSE(HasValue(native, L"Gone", data));
    RegCloseKey(native);
    EXPECT_EQ(nullptr, OpenIn(KEY_WOW64_64KEY, child));
    EXPECT_EQ(nullptr, OpenIn(KEY_WOW64_32KEY)) << "nothing may land in the 32-bit copy";

    // tools/wow64_check.sh asks for the marker to stay, to read it from outside.
    if (GetEnvironmentVariableW(L"VEILMARK_KEEP_WOW64_MARKER", nullptr, 0) == 0)
        registry.DeleteKey(software, "VeilmarkWow64Check");
    registry.CloseKey(software);
}

}  // namespace
