// The registry contract on an installation's hive files, through hivex.
#include <memory>

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
