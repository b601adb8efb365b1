// The registry contract on an installation's hive files, through hivex,
// and what the hive registry keeps of hivex's own ways from the port.
#include <hivex.h>

#include <memory>

#include "platform/hive/hive_commit.h"
#include "platform/hive/hive_registry.h"
#include "tests/offline/xp_drive.h"
#include "tests/registry_contract.h"

namespace {

class HiveRegistryEnv {
public:
    HiveRegistryEnv()
    {
        WriteEmptyHive(m_folder.Path() + "/NTUSER.DAT");
        HiveProblem problem = HiveProblem::None;
        std::string reason;
        m_hive = HiveFile::Open(m_folder.Path() + "/NTUSER.DAT", problem, reason);
        HiveMounts mounts;
        mounts.user = m_hive.get();
        m_registry = std::make_unique<HiveRegistry>(mounts);
        CreateKey({});
    }

    IRegistry& Registry() { return *m_registry; }
    static RegistryRoot Root() { return RegistryRoot::CurrentUser; }
    const std::string& Scratch() const { return m_scratch; }
    void CreateKey(std::string_view path)
    {
        RegKey key = nullptr;
        ASSERT_TRUE(m_registry->CreateKey(Root(), path.empty() ? m_scratch : m_scratch + "\\" + std::string(path),
                                          kKeyAllAccess, key));
        m_registry->CloseKey(key);
    }

private:
    TemporaryFolder m_folder;
    std::unique_ptr<HiveFile> m_hive;
    std::unique_ptr<HiveRegistry> m_registry;
    std::string m_scratch = "Software\\VeilmarkContractTest";
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Hive, RegistryContract, ::testing::Types<HiveRegistryEnv>);

// What hivex does of its own that the hive registry keeps from the port.
TEST(HiveRegistryTest, KeepsNamesAsStoredMakesNoNonAsciiKeyAndStampsTheChangedKeys)
{
    TemporaryFolder folder;
    const std::string path = folder.Path() + "/NTUSER.DAT";
    WriteEmptyHive(path);
    HiveProblem problem = HiveProblem::None;
    std::string reason;
    std::unique_ptr<HiveFile> hive = HiveFile::Open(path, problem, reason);
    ASSERT_NE(nullptr, hive) << reason;
    HiveMounts mounts;
    mounts.user = hive.get();
    HiveRegistry registry(mounts);

    RegKey key = nullptr;
    EXPECT_FALSE(registry.CreateKey(RegistryRoot::CurrentUser, "Software\\Übung", kKeyAllAccess, key));
    ASSERT_TRUE(registry.CreateKey(RegistryRoot::CurrentUser, "Software\\Run", kKeyAllAccess, key));
    const std::vector<std::uint8_t> one = DwordBytes(1);
    ASSERT_TRUE(registry.SetValue(key, "MSMSGS", kRegDword, one.data(), 4));
    ASSERT_TRUE(registry.SetValue(key, "Other", kRegDword, one.data(), 4));
    ASSERT_TRUE(registry.SetValue(key, "msmsgs", kRegDword, one.data(), 4));
    ASSERT_TRUE(registry.DeleteValue(key, "OTHER"));
    std::string name;
    ASSERT_TRUE(registry.ValueName(key, 0, name));
    EXPECT_EQ("MSMSGS", name);
    EXPECT_FALSE(registry.ValueName(key, 1, name));
    registry.CloseKey(key);

    constexpr std::uint64_t kWhen = 0x01DB0A0B0C0D0E0FULL;
    ASSERT_TRUE(CommitHives({hive.get()}, kWhen, reason)) << reason;
    hive_h* written = hivex_open(path.c_str(), 0);
    ASSERT_NE(nullptr, written);
    const hive_node_h software = hivex_node_get_child(written, hivex_root(written), "Software");
    EXPECT_EQ(static_cast<std::int64_t>(kWhen), hivex_node_timestamp(written, hivex_node_get_child(written, software, "Run")));
    EXPECT_EQ(static_cast<std::int64_t>(kWhen), hivex_last_modified(written));
    EXPECT_EQ(1u, hivex_node_nr_children(written, software)) << "only Run was made";
    hivex_close(written);
}
