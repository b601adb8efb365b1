// The files contract on the in-memory files.
#include "platform/memory/memory_files.h"
#include "tests/files_contract.h"

namespace {

class MemoryFilesEnv {
public:
    static constexpr bool kCaseless = true;

    MemoryFilesEnv()
    {
        std::string error;
        EXPECT_TRUE(m_files.MakeFolders(m_folder, error)) << error;
    }

    IFiles& Files() { return m_files; }
    const std::string& Folder() const { return m_folder; }

private:
    MemoryFiles m_files;
    std::string m_folder = "C:\\Documents and Settings\\Tester";
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Memory, FilesContract, ::testing::Types<MemoryFilesEnv>);
