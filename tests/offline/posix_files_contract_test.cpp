// The files contract on a Linux folder: plainly, as the offline program
// reads profiles and writes reports, and as the caseless root of an
// installation, where the backups are written.
#include "platform/posix/posix_files.h"
#include "tests/files_contract.h"
#include "tests/offline/xp_drive.h"

namespace {

template <bool Caseless>
class PosixFilesEnv {
public:
    static constexpr bool kCaseless = Caseless;

    IFiles& Files() { return m_files; }
    const std::string& Folder() const { return m_folder.Path(); }

private:
    TemporaryFolder m_folder;
    PosixFiles m_files{Caseless ? m_folder.Path() : std::string()};
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Posix, FilesContract, ::testing::Types<PosixFilesEnv<false>>);
INSTANTIATE_TYPED_TEST_SUITE_P(PosixCaselessRoot, FilesContract, ::testing::Types<PosixFilesEnv<true>>);
