// Backups and the way back on the in-memory platform: many generated
// registry states carried through backup, apply and revert unchanged; where
// backups go and how they are named; a pass that stops when its backup
// cannot be written; which .reg files a revert refuses.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "cli/command_line.h"
#include "platform/memory/memory_console.h"
#include "platform/memory/memory_main_window.h"
#include "run/exit_codes.h"
#include "settings/apply_settings.h"
#include "settings/backup.h"
#include "settings/reg_import.h"
#include "settings/revert.h"
#include "tests/memory_main_dlg.h"
#include "tests/registry_states.h"

namespace {

using namespace registry_states;
const std::string kBackups = "C:\\Documents and Settings\\user\\Application Data\\Veilmark\\Backups";

TEST(BackupRoundTripTest, ImportingTheBackupAfterApplyGivesBackEveryStateByteForByte)
{
    constexpr int kStates = 240;
    settings::Selection expert = settings::Selection::Expert(false);
    settings::Selection everything = expert;
    everything.Select(K::MessengerNoAutostart);
    BuiltinStringTable strings;
    NoApplyActions actions;
    int changed = 0;
    for (int state = 0; state < kStates; ++state) {
        SCOPED_TRACE("state " + std::to_string(state));
        MemoryRegistry registry;
        StateMaker(static_cast<unsigned>(state)).Make(registry);
        const Snapshot before = Take(registry);
        const settings::Selection& selection = state % 2 ? everything : expert;

        RegFile backup;
        std::string error;
        ASSERT_TRUE(settings::AddBackup(registry, settings::ApplyTargets(selection), backup, error, Language::Chinese)) << error;
        RegistryOps ops(registry);
        settings::ApplySettings(ops, selection, false, actions);
        changed += Take(registry) != before;

        const settings::ParsedRegFile file = settings::ParseRegFile(backup.Bytes(), Language::Chinese);
        ASSERT_EQ(0, file.errorLine) << file.error << "\n" << backup.Text();
        ASSERT_EQ(0, settings::CheckRevertable(file.entries, error, Language::Chinese)) << error;
        for (const settings::RevertResult& result : settings::Revert(registry, file.entries, Language::Chinese))
            EXPECT_TRUE(result.done) << result.entry->name << ": " << result.outcome;
        const Snapshot after = Take(registry);
        ASSERT_TRUE(before == after) << Differences(before, after) << backup.Text();
    }
    // The pass really changed the states it was given.
    EXPECT_GT(changed, kStates * 9 / 10);
}

TEST(RevertTest, RefusesAnyFileThatChangesMoreThanThePassesDoAndNamesTheLine)
{
    const std::string header = "Windows Registry Editor Version 5.00\r\n\r\n";
    const std::string run = "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]\r\n";
    const std::tuple<std::string, int, std::string> cases[] = {
        {header + "[-HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]\r\n", 3,
         "deletes the key HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run, which no pass does"},
        {header + run + "\"MSMSGS\"=-\r\n\"Other\"=\"x.exe\"\r\n", 5,
         "changes the value \"Other\" of HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run, which no pass changes"},
        {header + "[HKEY_CURRENT_USER\\Software\\Classes]\r\n", 3,
         "names the key HKEY_CURRENT_USER\\Software\\Classes, which no pass changes"},
        {header + "[HKEY_LOCAL_MACHINE\\" + kAlexa + "]\r\n\"Script\"=-\r\n", 4,
         "changes the value \"Script\" of HKEY_LOCAL_MACHINE\\" + std::string(kAlexa) + ", which no pass changes"},
    };
    for (const auto& [text, line, error] : cases) {
        const settings::ParsedRegFile file = settings::ParseRegFile({text.begin(), text.end()}, Language::English);
        ASSERT_EQ(0, file.errorLine) << file.error;
        std::string why;
        EXPECT_EQ(line, settings::CheckRevertable(file.entries, why, Language::English)) << text;
        EXPECT_EQ(error, why);
    }
    const std::tuple<std::string, int, std::string> unreadable[] = {
        {"REGEDIT5\r\n", 1, "not a .reg file: the first line is neither \"Windows Registry Editor Version 5.00\" nor \"REGEDIT4\""},
        {header + "\"MSMSGS\"=-\r\n", 3, "a value outside of a key's section"},
        {header + run + "\"MSMSGS\"=hex:0g\r\n", 4, "a hex list that is not bytes separated by commas"},
        {header + run + "\"MSMSGS\"=\"open\r\n", 4, "a text that does not end with its quote"},
        {header + run + "\"A\"=hex(2):41,00,\\\r\n  42\r\n", 4, "a text of an odd number of bytes"},
        {header + "[HKEY_USERS\\x]\r\n", 3, "a key that is not below HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE or HKEY_CLASSES_ROOT"},
    };
    for (const auto& [text, line, error] : unreadable) {
        const settings::ParsedRegFile file = settings::ParseRegFile({text.begin(), text.end()}, Language::English);
        EXPECT_EQ(line, file.errorLine) << text;
        EXPECT_EQ(error, file.error);
    }

    // The older format: 8-bit texts, hex lists over several lines.
    const std::string old = "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\W32Time\\Parameters]\n"
                            "\"Type\"=hex(2):4e,\\\n  74,70,00\n; remark\n\"Type\"=\"NTP\"\n";
    const settings::ParsedRegFile file = settings::ParseRegFile({old.begin(), old.end()}, Language::English);
    ASSERT_EQ(0, file.errorLine) << file.error;
    ASSERT_EQ(3u, file.entries.size());
    EXPECT_EQ(std::vector<std::uint8_t>({'N', 't', 'p', 0}), file.entries[1].data);
    EXPECT_EQ(kRegExpandSz, file.entries[1].type);
    EXPECT_EQ(7, file.entries[2].line);
}

class BackupPassTest : public ::testing::Test {
protected:
    BackupPassTest() { m.PutEverythingOn(); }

    std::vector<std::string> Changes() const
    {
        std::vector<std::string> changes;
        for (const std::string& event : m.log.Events())
            if (event.rfind("set ", 0) == 0 || event.rfind("delete ", 0) == 0)
                changes.push_back(event);
        return changes;
    }

    MemoryMainDlg m;
    MemoryMainWindow window;
};

TEST_F(BackupPassTest, StartRestoreAndApplySaveABackupEachNamedByTheirTime)
{
    m.dialog.OnInitDialog(window);
    m.dialog.OnCommand(IDC_START);
    m.prompt.Answer(kAnswerOk);
    m.dialog.OnCommand(IDM_RESET_STATUS);
    MemoryConsole console;
    cli::CommandLineServices services = m.CommandLine(console);
    m.clock.timeOfDay = {2027, 1, 2, 3, 4, 5};
    ASSERT_EQ(run::kExitSuccess, cli::RunCommandLine({"/apply", "recommended"}, services));
    const std::size_t listed = console.Output().size();
    ASSERT_EQ(run::kExitSuccess, cli::RunCommandLine({"/backups"}, services));
    EXPECT_EQ(kBackups + "\\2027-01-02_030405.reg\n" + kBackups + "\\2026-12-07_153012-2.reg\n" + kBackups +
                  "\\2026-12-07_153012.reg\n",
              console.Output().substr(listed));

    // Start's backup holds the values it was about to change, as they were.
    const std::string bytes = m.files.Content(kBackups + "\\2026-12-07_153012.reg");
    const settings::ParsedRegFile file = settings::ParseRegFile({bytes.begin(), bytes.end()}, Language::Chinese);
    ASSERT_EQ(0, file.errorLine) << file.error;
    std::set<std::string> names;
    for (const settings::RegEntry& entry : file.entries)
        if (entry.kind != settings::RegEntry::Kind::Section)
            names.insert(entry.name);
    EXPECT_EQ(std::set<std::string>({"SilentAcquisition", "SendUserGUID", "UpgradeCodecPrompt", "DoReport", "ShowUI",
                                     "fAllowToGetHelp", "NoScheduledUpdates", "NoUpdateCheck", "Type",
                                     "EnableNegotiate", "Start"}),
              names);

    // /revert of it brings them back, value by value: the one that was
    // there, and the absence of those that were not.
    const std::size_t before = console.Output().size();
    EXPECT_EQ(run::kExitSuccess,
              cli::RunCommandLine({"/revert", kBackups + "\\2026-12-07_153012.reg"}, services)) << console.Errors();
    const std::string report = console.Output().substr(before);
    EXPECT_NE(std::string::npos,
              report.find("HKEY_CURRENT_USER\\Software\\Microsoft\\MediaPlayer\\Preferences\tSilentAcquisition\trestored\n"))
        << report;
    EXPECT_NE(std::string::npos, report.find("ErrorReporting\tDoReport\tdeleted\n")) << report;
    EXPECT_EQ(std::vector<std::uint8_t>{1},
              m.registry.Get(HKCU, "Software\\Microsoft\\MediaPlayer\\Preferences", "SilentAcquisition")->data);
    EXPECT_FALSE(m.registry.Get(HKLM, "SOFTWARE\\Microsoft\\PCHealth\\ErrorReporting", "DoReport"));
}

TEST_F(BackupPassTest, APassWhoseBackupCannotBeWrittenDoesNotStart)
{
    // A file stands where the Backups folder should be.
    m.files.Put(kBackups, "");
    m.dialog.OnInitDialog(window);
    m.dialog.OnCommand(IDC_START);
    ASSERT_FALSE(m.prompt.History().empty());
    EXPECT_EQ("無法寫入備份檔，所以沒有變更任何設定。\n\n" + kBackups +
                  "\nCannot create a file when that file already exists.",
              m.prompt.History().back().text);
    EXPECT_EQ("開始", window.StartCaption());

    m.prompt.Answer(kAnswerOk);
    m.dialog.OnCommand(IDM_RESET_STATUS);
    EXPECT_EQ(0u, m.prompt.History().back().text.find("無法寫入備份檔"));

    MemoryConsole console;
    cli::CommandLineServices services = m.CommandLine(console);
    EXPECT_EQ(run::kExitError, cli::RunCommandLine({"/lang", "en", "/apply", "expert"}, services));
    EXPECT_EQ("veilmark: cannot write the backup " + kBackups +
                  ": Cannot create a file when that file already exists.\n",
              console.Errors());

    // A value that is there but cannot be read would come back as absent.
    m.files.Remove(kBackups);
    m.faults.failQuery = true;
    EXPECT_EQ(run::kExitError, cli::RunCommandLine({"/lang", "en", "/apply", "expert"}, services));
    EXPECT_NE(std::string::npos, console.Errors().find("the value SilentAcquisition of "
                                                       "HKEY_CURRENT_USER\\Software\\Microsoft\\MediaPlayer\\Preferences cannot be read"))
        << console.Errors();
    EXPECT_TRUE(Changes().empty());
    EXPECT_TRUE(m.shell.Starts().empty());
}

}  // namespace
