// The registry writer: every result code, the textual read-back comparison,
// and the deletes.
#include <gtest/gtest.h>

#include <vector>

#include "tests/memory_main_dlg.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr RegistryRoot HKLM = RegistryRoot::LocalMachine;
constexpr const char* kKey = "SOFTWARE\\Microsoft\\PCHealth\\ErrorReporting";

class RegistryWriterTest : public ::testing::Test {
protected:
    RegistryWriterTest() { m.registry.CreateKey(HKLM, kKey); }

    std::int32_t WriteDword(const char* key, std::uint32_t number, int labelNumber = 3)
    {
        const Bytes data = DwordBytes(number);
        return m.dialog.WriteRegistryValue(HKLM, key, "DoReport", data.data(), kRegDword, 4, labelNumber);
    }

    int Code() const { return m.dialog.LastWrite().code; }

    MemoryMainDlg m;
};

TEST_F(RegistryWriterTest, AWriteThatReadsBackEqualSucceeds)
{
    EXPECT_EQ(0, WriteDword(kKey, 0));
    EXPECT_EQ(0, Code());
    EXPECT_EQ("DoReport:[OK]", m.dialog.LastWrite().line);
    EXPECT_EQ(DwordBytes(0), m.registry.Get(HKLM, kKey, "DoReport")->data);

    const Bytes text = {'N', 't', 'p', 0};
    EXPECT_EQ(0, m.dialog.WriteRegistryValue(HKLM, kKey, "Type", text.data(), kRegSz, 4, 8));
    EXPECT_EQ("Type:[OK]", m.dialog.LastWrite().line);
    EXPECT_EQ(0u, m.registry.OpenKeyCount());
}

TEST_F(RegistryWriterTest, AMissingKeyIsNeverCreated)
{
    EXPECT_EQ(1, WriteDword("SOFTWARE\\Missing", 0));
    EXPECT_EQ(1, Code());
    EXPECT_EQ("DoReport:[ 無法開啟登錄機碼 ]", m.dialog.LastWrite().line);
    EXPECT_FALSE(m.registry.HasKey(HKLM, "SOFTWARE\\Missing"));
}

TEST_F(RegistryWriterTest, TheReadBackDecidesAfterAFailedSet)
{
    m.faults.failSet = true;
    m.registry.PutDword(HKLM, kKey, "DoReport", 1);
    EXPECT_EQ(1, WriteDword(kKey, 1));
    EXPECT_EQ(3, Code()) << "the value holds the data already";
    EXPECT_EQ("DoReport:[ 無法設定系統登錄值]", m.dialog.LastWrite().line);

    EXPECT_EQ(1, WriteDword(kKey, 4));
    EXPECT_EQ(5, Code()) << "the value holds other data";

    // Compared as texts, the DWORDs 0 and 256 are both empty: equal.
    m.registry.PutDword(HKLM, kKey, "DoReport", 0);
    EXPECT_EQ(1, WriteDword(kKey, 256));
    EXPECT_EQ(3, Code());
}

TEST_F(RegistryWriterTest, AFailedOrDifferentReadBackFails)
{
    m.faults.failQuery = true;
    EXPECT_EQ(1, WriteDword(kKey, 0, 4));
    EXPECT_EQ(4, Code());
    EXPECT_EQ("ShowUI:[ 無法查詢系統登錄值  ]", m.dialog.LastWrite().line);
    m.faults.failSet = true;
    EXPECT_EQ(1, WriteDword(kKey, 0));
    EXPECT_EQ(4, Code()) << "a failed read-back replaces a failed set";

    m.faults.failQuery = m.faults.failSet = false;
    const Bytes other = {'X', 0};
    m.faults.storeInstead = &other;
    const Bytes text = {'N', 'o', 'S', 'y', 'n', 'c', 0};
    EXPECT_EQ(1, m.dialog.WriteRegistryValue(HKLM, kKey, "Type", text.data(), kRegSz, 7, 8));
    EXPECT_EQ(5, Code());
    EXPECT_EQ("Type:[ 讀取的登錄值與先前寫入的相異  ]", m.dialog.LastWrite().line);

    // Bytes after the zero do not count.
    const Bytes padded = {'N', 'o', 'S', 'y', 'n', 'c', 0, 'j', 'u', 'n', 'k', 0};
    m.faults.storeInstead = &padded;
    EXPECT_EQ(0, m.dialog.WriteRegistryValue(HKLM, kKey, "Type", text.data(), kRegSz, 7, 8));
    EXPECT_EQ(0u, m.registry.OpenKeyCount());
}

TEST_F(RegistryWriterTest, DeletesFailWhenThereIsNothingToDelete)
{
    m.registry.PutDword(HKLM, kKey, "DoReport", 1);
    m.registry.CreateKey(HKLM, std::string(kKey) + "\\Child");
    EXPECT_EQ(0, m.dialog.DeleteRegistryValue(HKLM, kKey, "DoReport"));
    EXPECT_FALSE(m.registry.Get(HKLM, kKey, "DoReport"));
    EXPECT_EQ(1, m.dialog.DeleteRegistryValue(HKLM, kKey, "DoReport"));
    EXPECT_EQ(1, m.dialog.DeleteRegistryValue(HKLM, "SOFTWARE\\Missing", "DoReport"));
    EXPECT_FALSE(m.registry.HasKey(HKLM, "SOFTWARE\\Missing"));

    EXPECT_EQ(0, m.dialog.DeleteRegistryKey(HKLM, kKey, "Child"));
    EXPECT_FALSE(m.registry.HasKey(HKLM, std::string(kKey) + "\\Child"));
    EXPECT_EQ(1, m.dialog.DeleteRegistryKey(HKLM, kKey, "Child"));
    EXPECT_EQ(1, m.dialog.DeleteRegistryKey(HKLM, "SOFTWARE\\Missing", "Child"));
    EXPECT_EQ(0u, m.registry.OpenKeyCount());
}

}  // namespace
