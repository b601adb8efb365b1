// The files contract on the Windows files: what the in-memory files promise
// is checked here against what Windows (or Wine) really does.
#include <filesystem>
#include <system_error>

#include "platform/win32/text.h"
#include "platform/win32/win32.h"
#include "platform/win32/win32_files.h"
#include "tests/files_contract.h"

namespace {

// A folder of its own in the temporary folder, removed with all in it.
class Win32FilesEnv {
public:
    static constexpr bool kCaseless = true;

    Win32FilesEnv()
    {
        static int made = 0;
        m_path = std::filesystem::temp_directory_path() /
                 (L"veilmark-contract-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++made));
        std::error_code error;
        std::filesystem::remove_all(m_path, error);
        if (!std::filesystem::create_directory(m_path, error))
            ADD_FAILURE() << "cannot make " << WideToUtf8(m_path.wstring()) << ": " << error.message();
        m_folder = WideToUtf8(m_path.wstring());
    }
    ~Win32FilesEnv()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    Win32FilesEnv(const Win32FilesEnv&) = delete;
    Win32FilesEnv& operator=(const Win32FilesEnv&) = delete;

    IFiles& Files() { return m_files; }
    const std::string& Folder() const { return m_folder; }

private:
    std::filesystem::path m_path;
    std::string m_folder;
    Win32Files m_files{Language::English};
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, FilesContract, ::testing::Types<Win32FilesEnv>);
