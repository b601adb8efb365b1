// The behaviour every registry implementation must share, written once and
// run against each: natively on the in-memory store, under Wine on the real
// registry. What the settings engine relies on is checked here, so the store
// its tests run against is shown to behave like the real thing.
//
// An environment type provides:
//   IRegistry& Registry();
//   RegistryRoot Root();              the root the scratch key lies below
//   const std::string& Scratch();     the scratch key's path, made by the
//                                     constructor, removed with its subtree
//                                     by the destructor
//   void CreateKey(std::string_view path);  makes a key (and its parents)
//                                     below the scratch key, as setup only
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"

template <typename Env>
class RegistryContract : public ::testing::Test {
protected:
    using Bytes = std::vector<std::uint8_t>;

    IRegistry& Registry() { return m_env.Registry(); }

    std::string PathOf(std::string_view sub) const
    {
        std::string path = m_env.Scratch();
        if (!sub.empty())
            path.append("\\").append(sub);
        return path;
    }

    // Opens a key below the scratch key; null when it cannot be opened.
    RegKey Open(std::string_view sub = {}, std::uint32_t access = kKeyAllAccess)
    {
        RegKey key = nullptr;
        if (Registry().OpenKey(m_env.Root(), PathOf(sub), access, key) != OpenResult::Opened)
            return nullptr;
        m_open.push_back(key);
        return key;
    }

    bool Set(RegKey key, std::string_view name, std::uint32_t type, const Bytes& data)
    {
        return Registry().SetValue(key, name, type, data.data(), static_cast<std::uint32_t>(data.size()));
    }

    bool SetText(RegKey key, std::string_view name, std::string_view text, bool withZero = true)
    {
        Bytes data(text.begin(), text.end());
        if (withZero)
            data.push_back(0);
        return Set(key, name, kRegSz, data);
    }

    static Bytes Text(std::string_view text, bool withZero = true)
    {
        Bytes data(text.begin(), text.end());
        if (withZero)
            data.push_back(0);
        return data;
    }

    void TearDown() override
    {
        for (RegKey key : m_open)
            Registry().CloseKey(key);
        m_open.clear();
    }

    Env m_env;

private:
    std::vector<RegKey> m_open;
};

TYPED_TEST_SUITE_P(RegistryContract);

TYPED_TEST_P(RegistryContract, KeysAreOpenedNeverCreated)
{
    EXPECT_EQ(nullptr, this->Open("Missing"));
    EXPECT_EQ(nullptr, this->Open("Missing\\Deeper"));
    EXPECT_EQ(nullptr, this->Open("Missing", kKeyRead));
    ASSERT_NE(nullptr, this->Open());
    EXPECT_EQ(nullptr, this->Open("Missing")) << "opening must not have made the key";

    this->m_env.CreateKey("Child");
    EXPECT_NE(nullptr, this->Open("Child", kKeyRead));
    EXPECT_NE(nullptr, this->Open("Child", kKeyWrite));
    EXPECT_NE(nullptr, this->Open("CHILD", kKeyAllAccess)) << "key names ignore case";
}

TYPED_TEST_P(RegistryContract, AccessMasksAreHonoured)
{
    RegKey full = this->Open();
    ASSERT_NE(nullptr, full);
    ASSERT_TRUE(this->Set(full, "Start", kRegDword, DwordBytes(2)));

    RegKey readOnly = this->Open({}, kKeyRead);
    ASSERT_NE(nullptr, readOnly);
    RegistryValue value;
    EXPECT_TRUE(this->Registry().QueryValue(readOnly, "Start", kRegistryDwordSize, value));
    EXPECT_FALSE(this->Set(readOnly, "Start", kRegDword, DwordBytes(4)));
    EXPECT_FALSE(this->Registry().DeleteValue(readOnly, "Start"));

    RegKey writeOnly = this->Open({}, kKeyWrite);
    ASSERT_NE(nullptr, writeOnly);
    EXPECT_FALSE(this->Registry().QueryValue(writeOnly, "Start", kRegistryDwordSize, value));
    EXPECT_TRUE(this->Set(writeOnly, "Start", kRegDword, DwordBytes(4)));
    ASSERT_TRUE(this->Registry().QueryValue(full, "Start", kRegistryDwordSize, value));
    EXPECT_EQ(DwordBytes(4), value.data);
}

TYPED_TEST_P(RegistryContract, ValuesKeepTheirTypeAndBytes)
{
    RegKey key = this->Open();
    ASSERT_NE(nullptr, key);
    RegistryValue value;
    EXPECT_FALSE(this->Registry().QueryValue(key, "Absent", kRegistryBufferSize, value));

    ASSERT_TRUE(this->Set(key, "Number", kRegDword, DwordBytes(0x01020304)));
    ASSERT_TRUE(this->Registry().QueryValue(key, "Number", kRegistryDwordSize, value));
    EXPECT_EQ(kRegDword, value.type);
    EXPECT_EQ(DwordBytes(0x01020304), value.data);

    ASSERT_TRUE(this->Set(key, "Blob", kRegBinary, {0x00}));
    ASSERT_TRUE(this->Registry().QueryValue(key, "Blob", kRegistryBufferSize, value));
    EXPECT_EQ(kRegBinary, value.type);
    EXPECT_EQ(typename TestFixture::Bytes{0x00}, value.data);

    ASSERT_TRUE(this->SetText(key, "Text", "NoSync"));
    ASSERT_TRUE(this->Registry().QueryValue(key, "Text", kRegistryBufferSize, value));
    EXPECT_EQ(kRegSz, value.type);
    EXPECT_EQ(this->Text("NoSync"), value.data);

    // Chinese text travels as UTF-8 and is counted in characters.
    ASSERT_TRUE(this->SetText(key, "Chinese", "停用錯誤報告"));
    ASSERT_TRUE(this->Registry().QueryValue(key, "Chinese", 7, value));
    EXPECT_EQ(this->Text("停用錯誤報告"), value.data);
    EXPECT_FALSE(this->Registry().QueryValue(key, "Chinese", 6, value));

    // A set replaces the value, type and all.
    ASSERT_TRUE(this->Set(key, "Text", kRegDword, DwordBytes(4)));
    ASSERT_TRUE(this->Registry().QueryValue(key, "Text", kRegistryDwordSize, value));
    EXPECT_EQ(kRegDword, value.type);
    EXPECT_EQ(DwordBytes(4), value.data);

    // An empty REG_BINARY is a value too.
    ASSERT_TRUE(this->Set(key, "Empty", kRegBinary, {}));
    ASSERT_TRUE(this->Registry().QueryValue(key, "Empty", kRegistryBufferSize, value));
    EXPECT_TRUE(value.data.empty());
}

TYPED_TEST_P(RegistryContract, TheDefaultValueHasTheEmptyName)
{
    RegKey key = this->Open();
    ASSERT_NE(nullptr, key);
    RegistryValue value;
    EXPECT_FALSE(this->Registry().QueryValue(key, "", kRegistryBufferSize, value))
        << "a new key has no default value";
    EXPECT_FALSE(this->Registry().DeleteValue(key, ""));

    ASSERT_TRUE(this->SetText(key, "", "C:\\Program Files\\Messenger\\msmsgs.exe"));
    ASSERT_TRUE(this->Registry().QueryValue(key, "", kRegistryBufferSize, value));
    EXPECT_EQ(this->Text("C:\\Program Files\\Messenger\\msmsgs.exe"), value.data);
    EXPECT_TRUE(this->Registry().DeleteValue(key, ""));
    EXPECT_FALSE(this->Registry().QueryValue(key, "", kRegistryBufferSize, value));
}

TYPED_TEST_P(RegistryContract, ValueNamesIgnoreCase)
{
    RegKey key = this->Open();
    ASSERT_NE(nullptr, key);
    ASSERT_TRUE(this->Set(key, "DoReport", kRegDword, DwordBytes(1)));
    ASSERT_TRUE(this->Set(key, "DOREPORT", kRegDword, DwordBytes(0)));

    RegistryValue value;
    ASSERT_TRUE(this->Registry().QueryValue(key, "doreport", kRegistryDwordSize, value));
    EXPECT_EQ(DwordBytes(0), value.data);

    std::string name;
    EXPECT_TRUE(this->Registry().EnumValue(key, 0, name, value));
    EXPECT_FALSE(this->Registry().EnumValue(key, 1, name, value)) << "one value, not two";

    EXPECT_TRUE(this->Registry().DeleteValue(key, "dOrEpOrT"));
    EXPECT_FALSE(this->Registry().QueryValue(key, "DoReport", kRegistryDwordSize, value));
}

TYPED_TEST_P(RegistryContract, CapacityIsAHardLimit)
{
    RegKey key = this->Open();
    ASSERT_NE(nullptr, key);
    RegistryValue value;

    ASSERT_TRUE(this->Set(key, "At", kRegBinary, typename TestFixture::Bytes(128, 0xAB)));
    ASSERT_TRUE(this->Set(key, "Over", kRegBinary, typename TestFixture::Bytes(129, 0xAB)));
    ASSERT_TRUE(this->Registry().QueryValue(key, "At", kRegistryBufferSize, value));
    EXPECT_EQ(128u, value.data.size());
    EXPECT_FALSE(this->Registry().QueryValue(key, "Over", kRegistryBufferSize, value));

    // 127 characters and the zero fill 128; one more character does not fit.
    ASSERT_TRUE(this->SetText(key, "TextAt", std::string(127, 'x')));
    ASSERT_TRUE(this->SetText(key, "TextOver", std::string(128, 'x')));
    ASSERT_TRUE(this->Registry().QueryValue(key, "TextAt", kRegistryBufferSize, value));
    EXPECT_EQ(this->Text(std::string(127, 'x')), value.data);
    EXPECT_FALSE(this->Registry().QueryValue(key, "TextOver", kRegistryBufferSize, value));

    // A REG_DWORD is read into 4 bytes: stored with 8 it does not fit,
    // stored with 2 it comes back with 2.
    ASSERT_TRUE(this->Set(key, "Long", kRegDword, {4, 0, 0, 0, 0, 0, 0, 0}));
    ASSERT_TRUE(this->Set(key, "Short", kRegDword, {4, 0}));
    EXPECT_FALSE(this->Registry().QueryValue(key, "Long", kRegistryDwordSize, value));
    ASSERT_TRUE(this->Registry().QueryValue(key, "Short", kRegistryDwordSize, value));
    EXPECT_EQ(kRegDword, value.type);
    EXPECT_EQ((typename TestFixture::Bytes{4, 0}), value.data);
}

TYPED_TEST_P(RegistryContract, TextWithoutItsZeroComesBackWithoutIt)
{
    RegKey key = this->Open();
    ASSERT_NE(nullptr, key);
    ASSERT_TRUE(this->SetText(key, "Type", "NoSync", false));
    RegistryValue value;
    ASSERT_TRUE(this->Registry().QueryValue(key, "Type", kRegistryBufferSize, value));
    EXPECT_EQ(kRegSz, value.type);
    EXPECT_EQ(this->Text("NoSync", false), value.data);

    // With bytes after the zero, those come back too.
    ASSERT_TRUE(this->Set(key, "Padded", kRegSz, {'N', 'o', 0, 'x', 0}));
    ASSERT_TRUE(this->Registry().QueryValue(key, "Padded", kRegistryBufferSize, value));
    EXPECT_EQ((typename TestFixture::Bytes{'N', 'o', 0, 'x', 0}), value.data);
}

TYPED_TEST_P(RegistryContract, EnumerationListsEveryValueThatFits)
{
    RegKey key = this->Open();
    ASSERT_NE(nullptr, key);
    ASSERT_TRUE(this->Set(key, "First", kRegDword, DwordBytes(1)));
    ASSERT_TRUE(this->SetText(key, "Second", "two"));
    ASSERT_TRUE(this->Set(key, "", kRegBinary, {7}));

    std::vector<std::string> names;
    std::string name;
    RegistryValue value;
    for (std::uint32_t index = 0; this->Registry().EnumValue(key, index, name, value); ++index) {
        names.push_back(name);
        if (name == "Second") {
            EXPECT_EQ(kRegSz, value.type);
            EXPECT_EQ(this->Text("two"), value.data);
        }
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ((std::vector<std::string>{"", "First", "Second"}), names);
    std::uint32_t count = 0;
    EXPECT_TRUE(this->Registry().CountValues(key, count));
    EXPECT_EQ(3u, count);
    EXPECT_FALSE(this->Registry().EnumValue(key, 3, name, value));
    EXPECT_FALSE(this->Registry().EnumValue(key, 1000, name, value));
}

TYPED_TEST_P(RegistryContract, EnumerationFailsOnANameOrDataTooLong)
{
    this->m_env.CreateKey("LongName");
    this->m_env.CreateKey("LongData");
    RegKey longName = this->Open("LongName");
    RegKey longData = this->Open("LongData");
    ASSERT_NE(nullptr, longName);
    ASSERT_NE(nullptr, longData);

    std::string name;
    RegistryValue value;
    ASSERT_TRUE(this->Set(longName, std::string(127, 'n'), kRegDword, DwordBytes(1)));
    ASSERT_TRUE(this->Registry().EnumValue(longName, 0, name, value));
    EXPECT_EQ(std::string(127, 'n'), name);
    ASSERT_TRUE(this->Registry().DeleteValue(longName, std::string(127, 'n')));
    ASSERT_TRUE(this->Set(longName, std::string(128, 'n'), kRegDword, DwordBytes(1)));
    EXPECT_FALSE(this->Registry().EnumValue(longName, 0, name, value));

    ASSERT_TRUE(this->Set(longData, "Blob", kRegBinary, typename TestFixture::Bytes(128, 1)));
    ASSERT_TRUE(this->Registry().EnumValue(longData, 0, name, value));
    EXPECT_EQ(128u, value.data.size());
    ASSERT_TRUE(this->Set(longData, "Blob", kRegBinary, typename TestFixture::Bytes(129, 1)));
    EXPECT_FALSE(this->Registry().EnumValue(longData, 0, name, value));
    // Counted all the same, so that an enumeration can pass over it.
    std::uint32_t count = 0;
    EXPECT_TRUE(this->Registry().CountValues(longData, count));
    EXPECT_EQ(1u, count);
}

TYPED_TEST_P(RegistryContract, DeletingWhatIsNotThereFails)
{
    this->m_env.CreateKey("Parent\\Child");
    RegKey scratch = this->Open();
    RegKey parent = this->Open("Parent");
    ASSERT_NE(nullptr, scratch);
    ASSERT_NE(nullptr, parent);

    EXPECT_FALSE(this->Registry().DeleteValue(scratch, "Absent"));
    EXPECT_FALSE(this->Registry().DeleteKey(scratch, "Absent"));
    EXPECT_FALSE(this->Registry().DeleteKey(parent, "")) << "an empty name names no subkey";
    EXPECT_FALSE(this->Registry().DeleteKey(scratch, "Parent")) << "a key with subkeys stays";
    EXPECT_NE(nullptr, this->Open("Parent\\Child"));

    EXPECT_TRUE(this->Registry().DeleteKey(parent, "CHILD"));
    EXPECT_EQ(nullptr, this->Open("Parent\\Child"));
    EXPECT_FALSE(this->Registry().DeleteKey(parent, "Child")) << "already gone";
    EXPECT_TRUE(this->Registry().DeleteKey(scratch, "Parent"));
    EXPECT_EQ(nullptr, this->Open("Parent"));
}

REGISTER_TYPED_TEST_SUITE_P(RegistryContract, KeysAreOpenedNeverCreated, AccessMasksAreHonoured,
                            ValuesKeepTheirTypeAndBytes,
                            TheDefaultValueHasTheEmptyName, ValueNamesIgnoreCase, CapacityIsAHardLimit,
                            TextWithoutItsZeroComesBackWithoutIt, EnumerationListsEveryValueThatFits,
                            EnumerationFailsOnANameOrDataTooLong, DeletingWhatIsNotThereFails);
