// The registry contract on the real registry: what the in-memory store
// promises is checked here against what Windows (or Wine) really does.
#include <gtest/gtest.h>

#include <shlwapi.h>

#include "platform/win32/text.h"
#include "platform/win32/win32_registry.h"
#include "tests/registry_contract.h"

namespace {

// A scratch key below HKEY_CURRENT_USER, made afresh for every test. Only the
// tests create keys; the adapter never does. HKCU\Software is one key for 32-
// and 64-bit programs alike, so no view flag is needed here.
class Win32RegistryEnv {
public:
    Win32RegistryEnv()
    {
        RemoveScratch();
        if (!Create(m_scratch))
            ADD_FAILURE() << "cannot create HKCU\\" << m_scratch;
    }
    ~Win32RegistryEnv() { RemoveScratch(); }

    Win32RegistryEnv(const Win32RegistryEnv&) = delete;
    Win32RegistryEnv& operator=(const Win32RegistryEnv&) = delete;

    IRegistry& Registry() { return m_registry; }
    RegistryRoot Root() const { return RegistryRoot::CurrentUser; }
    const std::string& Scratch() const { return m_scratch; }

    void CreateKey(std::string_view path)
    {
        const std::string full = m_scratch + "\\" + std::string(path);
        if (!Create(full))
            ADD_FAILURE() << "cannot create HKCU\\" << full;
    }

private:
    static bool Create(const std::string& path)
    {
        HKEY key = nullptr;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, Utf8ToWide(path).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &key, nullptr) != ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        return true;
    }

    void RemoveScratch() { SHDeleteKeyW(HKEY_CURRENT_USER, Utf8ToWide(m_scratch).c_str()); }

    const std::string m_scratch = "Software\\VeilmarkContractTest";
    Win32Registry m_registry;
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, RegistryContract, ::testing::Types<Win32RegistryEnv>);

namespace {

// What the contract cannot express on the in-memory store: the adapter's
// own choices at the Win32 boundary.
class Win32RegistryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_scratch = m_env.Scratch();
        ASSERT_EQ(OpenResult::Opened, m_registry.OpenKey(RegistryRoot::CurrentUser, m_scratch, kKeyAllAccess, m_key));
    }
    void TearDown() override { m_registry.CloseKey(m_key); }

    // Stores the bytes of `data` through the adapter.
    bool Set(std::string_view name, std::uint32_t type, std::string_view data)
    {
        return m_registry.SetValue(m_key, name, type, reinterpret_cast<const std::uint8_t*>(data.data()),
                                   static_cast<std::uint32_t>(data.size()));
    }

    // The raw stored bytes, read past the adapter.
    std::vector<BYTE> Stored(const wchar_t* name, DWORD& type)
    {
        BYTE data[512];
        DWORD size = sizeof data;
        if (RegQueryValueExW(reinterpret_cast<HKEY>(m_key), name, nullptr, &type, data, &size) !=
            ERROR_SUCCESS)
            return {};
        return {data, data + size};
    }

    Win32RegistryEnv m_env;
    Win32Registry m_registry;
    std::string m_scratch;
    RegKey m_key = nullptr;
};

TEST_F(Win32RegistryTest, TextIsStoredAsUtf16ExactlyAsGiven)
{
    ASSERT_TRUE(Set("WithZero", kRegSz, {"No", 3}));
    ASSERT_TRUE(Set("WithoutZero", kRegExpandSz, "No"));
    ASSERT_TRUE(m_registry.SetValue(m_key, "Nothing", kRegSz, nullptr, 0));
    ASSERT_TRUE(Set("中文", kRegSz, "停用"));

    DWORD type = 0;
    EXPECT_EQ((std::vector<BYTE>{'N', 0, 'o', 0, 0, 0}), Stored(L"WithZero", type));
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    EXPECT_EQ((std::vector<BYTE>{'N', 0, 'o', 0}), Stored(L"WithoutZero", type))
        << "no zero may be added to text stored without one";
    EXPECT_EQ(static_cast<DWORD>(REG_EXPAND_SZ), type);
    EXPECT_TRUE(Stored(L"Nothing", type).empty());
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    EXPECT_EQ((std::vector<BYTE>{0x5C, 0x50, 0x28, 0x75}), Stored(L"\u4E2D\u6587", type))
        << "U+505C U+7528, under the name written in UTF-16 too";
}

TEST_F(Win32RegistryTest, TextWrittenByOthersIsReadAsUtf8)
{
    const HKEY key = reinterpret_cast<HKEY>(m_key);
    const wchar_t multi[] = L"one\0two\0";  // and the array's own zero: REG_MULTI_SZ ends in two
    const auto* multiBytes = reinterpret_cast<const BYTE*>(multi);
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExW(key, L"Multi", 0, REG_MULTI_SZ, multiBytes, sizeof multi));
    // Three bytes stored; the fourth keeps RegSetValueExW, which looks at the
    // unit after the data, inside the array.
    const BYTE oddLength[] = {'a', 0, 'b', 'c'};
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExW(key, L"Odd", 0, REG_SZ, oddLength, 3));

    RegistryValue value;
    ASSERT_TRUE(m_registry.QueryValue(m_key, "Multi", kRegistryBufferSize, value));
    EXPECT_EQ(static_cast<std::uint32_t>(kRegMultiSz), value.type);
    EXPECT_EQ((std::vector<std::uint8_t>{'o', 'n', 'e', 0, 't', 'w', 'o', 0, 0}), value.data);
    EXPECT_FALSE(m_registry.QueryValue(m_key, "Multi", 8, value)) << "9 units do not fit in 8";

    ASSERT_TRUE(m_registry.QueryValue(m_key, "Odd", kRegistryBufferSize, value));
    EXPECT_EQ((std::vector<std::uint8_t>{'a'}), value.data) << "the odd trailing byte is no character";

    std::string name;
    ASSERT_TRUE(m_registry.EnumValue(m_key, 0, name, value));
    ASSERT_TRUE(m_registry.EnumValue(m_key, 1, name, value));
    EXPECT_FALSE(m_registry.EnumValue(m_key, 2, name, value));
}

TEST_F(Win32RegistryTest, EnumeratedTextIsCountedInCharacters)
{
    // 127 Chinese characters and the zero: 381 bytes of UTF-8, 256 of UTF-16.
    std::string text;
    for (int i = 0; i < 127; ++i)
        text += "錯";
    text.push_back('\0');
    ASSERT_TRUE(Set("Full", kRegSz, text));

    std::string name;
    RegistryValue value;
    ASSERT_TRUE(m_registry.EnumValue(m_key, 0, name, value));
    EXPECT_EQ("Full", name);
    EXPECT_EQ(std::vector<std::uint8_t>(text.begin(), text.end()), value.data);

    ASSERT_TRUE(Set("Full", kRegSz, "x" + text));
    EXPECT_FALSE(m_registry.EnumValue(m_key, 0, name, value)) << "128 characters and the zero";
}

// A key whose permissions shut everyone out is refused, not missing: the
// passes tell the two apart. Its permissions are put back before the scratch
// key goes (its owner may always change them).
TEST_F(Win32RegistryTest, AShutKeyIsRefusedAndAnAbsentOneMissing)
{
    const std::wstring shut = Utf8ToWide(m_scratch + "\\Shut");
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, shut.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                             &key, nullptr));
    SECURITY_DESCRIPTOR descriptor;
    ACL empty;
    ASSERT_TRUE(InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION));
    ASSERT_TRUE(InitializeAcl(&empty, sizeof empty, ACL_REVISION));
    ASSERT_TRUE(SetSecurityDescriptorDacl(&descriptor, TRUE, &empty, FALSE));
    ASSERT_EQ(ERROR_SUCCESS, RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor));
    RegCloseKey(key);

    RegKey opened = nullptr;
    EXPECT_EQ(OpenResult::Refused, m_registry.OpenKey(RegistryRoot::CurrentUser, m_scratch + "\\Shut", kKeyRead, opened));
    EXPECT_EQ(OpenResult::Missing,
              m_registry.OpenKey(RegistryRoot::CurrentUser, m_scratch + "\\Absent\\Below", kKeyRead, opened));

    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_CURRENT_USER, shut.c_str(), 0, WRITE_DAC, &key));
    ASSERT_TRUE(SetSecurityDescriptorDacl(&descriptor, TRUE, nullptr, FALSE));
    EXPECT_EQ(ERROR_SUCCESS, RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor));
    RegCloseKey(key);
}

TEST_F(Win32RegistryTest, RootsAndTheEmptyPath)
{
    RegKey key = nullptr;
    EXPECT_EQ(OpenResult::Missing, m_registry.OpenKey(RegistryRoot::None, m_scratch, kKeyRead, key));
    EXPECT_EQ(nullptr, key);
    EXPECT_EQ(OpenResult::Missing, m_registry.OpenKey(RegistryRoot::LocalMachine, m_scratch, kKeyRead, key))
        << "the scratch key lies below HKEY_CURRENT_USER only";

    ASSERT_EQ(OpenResult::Opened, m_registry.OpenKey(RegistryRoot::ClassesRoot, "", kKeyRead, key))
        << "an empty path opens the root";
    m_registry.CloseKey(key);
    ASSERT_EQ(OpenResult::Opened, m_registry.OpenKey(RegistryRoot::LocalMachine, "SOFTWARE\\Microsoft", kKeyRead, key));
    m_registry.CloseKey(key);

    EXPECT_FALSE(m_registry.DeleteKey(m_key, "")) << "the empty name must not delete the key itself";
    RegKey again = nullptr;
    EXPECT_EQ(OpenResult::Opened, m_registry.OpenKey(RegistryRoot::CurrentUser, m_scratch, kKeyRead, again));
    m_registry.CloseKey(again);
}

}  // namespace
