// Backups from end to end with the real registry: Start pressed on a
// machine with an administrator's own values, the backup found in the
// prefix's %APPDATA%\Veilmark\Backups, imported by Wine's regedit or by
// veilmark.exe /revert, and the registry compared with a reg export taken
// before. A Backups folder that cannot be made stops Start.
#include <shlobj.h>

#include "tests/win/e2e/app_test.h"
#include "tests/win/e2e/command_line_e2e.h"
#include "tests/win/e2e/option_keys.h"

namespace {

using namespace option_keys;
using namespace registry_state;

const std::string kQuestion =
    "已套用您選擇的「設定值」，請問您現在是否要\n檢查「系統狀態」？" + std::string(23, ' ');

std::wstring BackupFolder()
{
    wchar_t appData[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, 0, appData);
    return std::wstring(appData) + L"\\Veilmark\\Backups";
}

// The backups there are now, by name.
std::vector<std::wstring> Backups()
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((BackupFolder() + L"\\*.reg").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do
        names.push_back(found.cFileName);
    while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

// No Backups folder, nor a file of that name.
void RemoveBackups()
{
    for (const std::wstring& name : Backups())
        DeleteFileW((BackupFolder() + L"\\" + name).c_str());
    RemoveDirectoryW(BackupFolder().c_str());
    DeleteFileW(BackupFolder().c_str());
}

class BackupE2eTest : public CommandLineE2eTest {
protected:
    void TearDown() override { RemoveBackups(); }

    // Values an administrator chose: other data, other types, some missing.
    void PrepareAdministratorsChoice()
    {
        PrepareEverythingOn();
        RemoveValue(kPlayer, L"SendUserGUID");
        SetDword(kReporting, L"DoReport", 2);
        RemoveValue(kReporting, L"ShowUI");
        SetText(kIeMain, L"NoUpdateCheck", L"no");
        SetText(kServices + L"\\W32Time\\Parameters", L"Type", L"NT5DS");
        SetDword(kServices + L"\\W32Time", L"Start", 3);
        SetBinary(kInternetSettings, L"EnableNegotiate", {1, 2, 3, 4, 5});
    }

    // What reg export writes of every key behind the options, as UTF-8.
    std::string Exported()
    {
        std::string all;
        const std::wstring file = m_workDirectory.File(L"export.reg");
        for (const std::wstring& key : OptionKeyNames()) {
            const Finished exported = RunToEnd(L"reg.exe export \"" + key + L"\" \"" + file + L"\" /y", m_workDirectory.Path());
            EXPECT_EQ(0u, exported.exitCode) << WideToUtf8(key) << ": " << exported.output;
            const std::string bytes = ReadWhole(file);
            std::wstring text;
            for (std::size_t i = 2; i + 1 < bytes.size(); i += 2)
                text += static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8);
            all += WideToUtf8(text);
        }
        return all;
    }

    // An administrator's values, Start pressed, its backup taken back by
    // `goBack`: the registry must be as reg export showed it before.
    template <typename GoBack>
    void StartThenGoBack(GoBack goBack)
    {
        RemoveBackups();
        PrepareAdministratorsChoice();
        const std::string before = Exported();
        ASSERT_NE(std::string::npos, before.find("NT5DS")) << "reg export shows nothing";

        PressStart();
        const std::vector<std::wstring> backups = Backups();
        ASSERT_EQ(1u, backups.size()) << "in " << WideToUtf8(BackupFolder());
        EXPECT_EQ("REG_DWORD 0x0", Show(kReporting, L"DoReport")) << "Start changed nothing";

        const Finished back = goBack(BackupFolder() + L"\\" + backups.front());
        EXPECT_EQ(0u, back.exitCode) << back.output;
        const std::string after = Exported();
        EXPECT_TRUE(before == after) << FirstDifference(before, after);
    }

    // Start pressed once (the support users kept: removing them needs a
    // person at the console), the question answered No, the program closed.
    void PressStart()
    {
        Start();
        HWND main = WaitForMainWindow();
        ASSERT_TRUE(main);
        ToggleTreeItem(main, static_cast<int>(OptionKey::RemoveSupportUsers));
        PostCommand(main, IDC_START);
        Answer(kQuestion, IDNO);
        PostCommand(main, IDC_START);
        ExpectEndsAtOnce("the second press of Start");
    }
};

TEST_F(BackupE2eTest, TheBackupOfStartImportedByRegeditGivesBackTheRegistry)
{
    StartThenGoBack([this](const std::wstring& backup) {
        return RunToEnd(L"regedit.exe /s \"" + backup + L"\"", m_workDirectory.Path());
    });
}

TEST_F(BackupE2eTest, TheBackupOfStartRevertedByVeilmarkGivesBackTheRegistry)
{
    StartThenGoBack([this](const std::wstring& backup) { return Veilmark(L"/revert \"" + backup + L"\""); });
    const Finished listed = Veilmark(L"/backups");
    EXPECT_EQ(0u, listed.exitCode);
    EXPECT_EQ(0u, listed.output.find(WideToUtf8(BackupFolder()))) << listed.output;
}

TEST_F(BackupE2eTest, AFileWhereTheBackupsFolderShouldBeStopsStart)
{
    RemoveBackups();
    PrepareAdministratorsChoice();
    CreateDirectoryW(BackupFolder().substr(0, BackupFolder().rfind(L'\\')).c_str(), nullptr);
    WriteWhole(BackupFolder(), "not a folder");
    const std::string before = Exported();

    Start();
    HWND main = WaitForMainWindow();
    ASSERT_TRUE(main);
    PostCommand(main, IDC_START);
    HWND box = WaitForMessageBox(kStartTimeoutMs);
    ASSERT_TRUE(box);
    const MessageBoxView view = ReadMessageBox(box);
    EXPECT_EQ(0u, view.text.find("無法寫入備份檔，所以沒有變更任何設定。\n\n" + WideToUtf8(BackupFolder()) + "\n"))
        << view.text;
    Screenshot(L"e2e-backup-refused");
    ASSERT_TRUE(AnswerMessageBox(box, IDOK, kExitTimeoutMs));
    EXPECT_EQ("開始", WindowText(GetDlgItem(main, IDC_START)));
    const std::string after = Exported();
    EXPECT_TRUE(before == after) << FirstDifference(before, after);
}

// /restore from end to end: the backup first, then the defaults written;
// where the backup cannot be written, nothing.
TEST_F(BackupE2eTest, RestoreWritesTheDefaultsAfterItsBackupAndNothingWithoutOne)
{
    RemoveBackups();
    PrepareAdministratorsChoice();
    CreateDirectoryW(BackupFolder().substr(0, BackupFolder().rfind(L'\\')).c_str(), nullptr);
    WriteWhole(BackupFolder(), "not a folder");
    const std::string before = Exported();
    const Finished refused = Veilmark(L"/lang en /restore");
    EXPECT_EQ(3u, refused.exitCode) << refused.output;
    EXPECT_NE(std::string::npos, refused.output.find("cannot write the backup")) << refused.output;
    const std::string untouched = Exported();
    EXPECT_TRUE(before == untouched) << FirstDifference(before, untouched);

    RemoveBackups();
    const Finished restored = Veilmark(L"/restore");
    EXPECT_EQ(0u, restored.exitCode) << restored.output;
    ASSERT_EQ(1u, Backups().size());
    EXPECT_NE(std::string::npos, restored.output.find("Backup\t" + WideToUtf8(BackupFolder()))) << restored.output;
    EXPECT_EQ("REG_DWORD 0x1", Show(kReporting, L"DoReport"));
    EXPECT_EQ("REG_DWORD 0x1", Show(kReporting, L"ShowUI")) << "made where it was missing";
    EXPECT_EQ("REG_SZ Ntp", Show(kServices + L"\\W32Time\\Parameters", L"Type"));
    EXPECT_EQ("REG_DWORD 0x2", Show(kServices + L"\\W32Time", L"Start"));
    EXPECT_EQ("missing", Show(kPlayer, L"SilentAcquisition"));

    // The backup gives the administrator's values back.
    const Finished back = Veilmark(L"/revert \"" + BackupFolder() + L"\\" + Backups().front() + L"\"");
    EXPECT_EQ(0u, back.exitCode) << back.output;
    const std::string after = Exported();
    EXPECT_TRUE(before == after) << FirstDifference(before, after);
}

}  // namespace
