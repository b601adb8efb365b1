// The runs without the dialog on the in-memory platform: the command line
// read as Windows splits it, profiles, the .reg writer, and /status, /apply
// and /export with their reports, files and exit codes.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "platform/memory/memory_console.h"
#include "platform/memory/memory_files.h"
#include "run/exit_codes.h"
#include "settings/profile.h"
#include "settings/reg_file.h"
#include "settings/text.h"
#include "tests/memory_main_dlg.h"

namespace {

using K = OptionKey;
using Lines = std::vector<std::string>;
constexpr RegistryRoot HKCU = RegistryRoot::CurrentUser;
constexpr RegistryRoot HKLM = RegistryRoot::LocalMachine;
constexpr const char* kPlayer = "Software\\Microsoft\\MediaPlayer\\Preferences";
constexpr const char* kReporting = "SOFTWARE\\Microsoft\\PCHealth\\ErrorReporting";
const std::string kBackups = "C:\\Documents and Settings\\user\\Application Data\\Veilmark\\Backups";
// The first line of a report, in the Chinese user's words.
const std::string kDescription = "Microsoft Windows XP（版本：Professional）";

Lines SplitLines(const std::string& text, const char* end = "\n")
{
    Lines lines;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find(end, start)) != std::string::npos; start = at + std::string(end).size())
        lines.push_back(text.substr(start, at - start));
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

TEST(CommandLineWordsTest, AreSplitAsTheWindowsRuntimeSplitsThem)
{
    const std::pair<const char*, Lines> cases[] = {
        {"", {}},
        {"  /status \t /report  out.txt ", {"/status", "/report", "out.txt"}},
        {R"(/apply "C:\My Profiles\home.txt")", {"/apply", R"(C:\My Profiles\home.txt)"}},
        {R"("" x)", {"", "x"}},
        {R"(a\\b c\"d "e\\" f\\\"g)", {R"(a\\b)", R"(c"d)", R"(e\)", R"(f\"g)"}},
        {R"("say ""hi""")", {R"(say "hi")"}},
        {R"(C:\dir\ "x)", {R"(C:\dir\)", "x"}},
    };
    for (const auto& [line, words] : cases)
        EXPECT_EQ(words, cli::SplitCommandLine(line)) << line;
}

TEST(CommandLineWordsTest, MakeACommandOrNameWhatIsWrong)
{
    struct Case {
        const char* line;
        const char* command;  // its name; empty: the dialog
        std::vector<std::string> operands;
        const char* report;
        const char* error;
    };
    const Case cases[] = {
        {"", "", {}, "", ""},
        {"/?", "?", {}, "", ""},
        {"/? /status", "?", {}, "", ""},
        {"-STATUS", "status", {}, "", ""},
        {"/Status /REPORT r.txt", "status", {}, "r.txt", ""},
        {"/apply Expert /report r.txt", "apply", {"Expert"}, "r.txt", ""},
        {"/export recommended out.reg", "export", {"recommended", "out.reg"}, "", ""},
        {"-Restore /report r.txt", "restore", {}, "r.txt", ""},
        {"/restore expert", "", {}, "", "unexpected argument expert"},
        {"/stat", "", {}, "", "unknown switch /stat"},
        {"status", "", {}, "", "unexpected argument status"},
        {"/apply", "", {}, "", "/apply needs a selection"},
        {"/apply /report r.txt", "", {}, "", "/apply needs a selection"},
        {"/status /report", "", {}, "", "/report needs a file name"},
        {R"(/status /report "" /report r.txt)", "", {}, "", "/report needs a file name"},
        {R"(/export expert "")", "", {}, "", "/export needs the name of the .reg file to write"},
        {"/status /report a /report b", "", {}, "", "unknown or repeated switch /report"},
        {"/export expert", "", {}, "", "/export needs the name of the .reg file to write"},
        {"/export expert a.reg b.reg", "", {}, "", "unexpected argument b.reg"},
        {"/export expert a.reg /report r.txt", "", {}, "", "unknown or repeated switch /report"},
    };
    for (const Case& c : cases) {
        const cli::ParsedCommand parsed = cli::ParseCommand(cli::SplitCommandLine(c.line), Language::English);
        EXPECT_EQ(c.error, parsed.error) << c.line;
        if (!*c.error) {
            EXPECT_EQ(c.command, parsed.command.Name()) << c.line;
            EXPECT_EQ(c.operands, parsed.command.operands) << c.line;
            EXPECT_EQ(c.report, parsed.command.reportPath) << c.line;
        }
    }
}

TEST(ProfileTest, ReadsKeysAsNotepadSavesThemIgnoringCaseCommentsAndBlankLines)
{
    const settings::ProfileResult profile = settings::ParseProfile(
        "\xEF\xBB\xBF# my machines\r\nnoerrorreporting\r\n\r\n  DisableTimeService\t\r\n#NoRemoteAssistance\r\n"
        "MessengerUninstall\nMESSENGERUNINSTALL", Language::Chinese);
    ASSERT_EQ(0, profile.errorLine) << profile.error;
    for (const CatalogueEntry& entry : Catalogue()) {
        const bool expected = entry.key == K::NoErrorReporting || entry.key == K::DisableTimeService ||
                              entry.key == K::MessengerUninstall;
        EXPECT_EQ(expected, profile.selection[entry.key]) << entry.name;
    }
}

TEST(ProfileTest, NamesTheLineOfAnUnknownKeyAGroupOrASecondMessengerChoice)
{
    const std::tuple<const char*, int, const char*> cases[] = {
        {"NoErrorReporting\n\nNoErrorReport\n", 3, "unknown option key \"NoErrorReport\""},
        {"# services\r\nServicesGroup\r\n", 2, "\"ServicesGroup\" is a group; name its options instead"},
        {"MessengerNoAction\nNoErrorReporting\nMessengerUninstall\n", 3,
         "\"MessengerUninstall\" is a second choice of the Messenger group (the first is on line 1)"},
        {"NoErrorReporting NoCodecDownload\n", 1, "unknown option key \"NoErrorReporting NoCodecDownload\""},
    };
    for (const auto& [text, line, error] : cases) {
        const settings::ProfileResult profile = settings::ParseProfile(text, Language::English);
        EXPECT_EQ(line, profile.errorLine) << text;
        EXPECT_EQ(error, profile.error) << text;
    }
}

TEST(RegFileTest, WritesEachTypeAsRegeditDoesAndEscapesNamesAndTexts)
{
    RegFile file;
    file.Comment("two\nlines");
    file.SetValue(HKCU, kPlayer, "SilentAcquisition", kRegBinary, {0x00});
    file.SetValue(HKCU, kPlayer, "Empty", kRegBinary, {});
    file.SetValue(HKLM, kReporting, "DoReport", kRegDword, DwordBytes(0xA0B0C0D));
    file.SetValue(HKLM, kReporting, "Short", kRegDword, {1, 2});
    file.SetValue(HKLM, kReporting, "", kRegSz, TextBytes("C:\\Program Files\\\"x\""));
    file.SetValue(HKLM, kReporting, "a\\\"b", kRegSz, TextBytes("時間"));
    file.SetValue(HKLM, kReporting, "Unended", kRegSz, {'a', 'b'});
    file.SetValue(HKLM, kReporting, "Path", kRegExpandSz, TextBytes("%A%"));
    file.SetValue(HKLM, kReporting, "Q", 11, {1, 2, 3, 4, 5, 6, 7, 8});
    file.DeleteKey(HKLM, "SOFTWARE\\Ext\\{c95}");
    file.DeleteValue(HKCU, "Software\\Run", "MSMSGS");
    file.AddKey(HKCU, "Software\\New");
    EXPECT_EQ(Lines({"Windows Registry Editor Version 5.00",
                     "",
                     "; two",
                     "; lines",
                     "",
                     "[HKEY_CURRENT_USER\\Software\\Microsoft\\MediaPlayer\\Preferences]",
                     "\"SilentAcquisition\"=hex:00",
                     "\"Empty\"=hex:",
                     "",
                     "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\PCHealth\\ErrorReporting]",
                     "\"DoReport\"=dword:0a0b0c0d",
                     "\"Short\"=hex(4):01,02",
                     "@=\"C:\\\\Program Files\\\\\\\"x\\\"\"",
                     "\"a\\\\\\\"b\"=\"時間\"",
                     "\"Unended\"=hex(1):61,00,62,00",
                     "\"Path\"=hex(2):25,00,41,00,25,00,00,00",
                     "\"Q\"=hex(b):01,02,03,04,05,06,07,08",
                     "",
                     "[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Ext\\{c95}]",
                     "",
                     "[HKEY_CURRENT_USER\\Software\\Run]",
                     "\"MSMSGS\"=-",
                     "",
                     "[HKEY_CURRENT_USER\\Software\\New]",
                     ""}),
              SplitLines(file.Text(), "\r\n"));

    // UTF-16LE with its byte-order mark; a long hex list broken as regedit breaks it.
    const std::vector<std::uint8_t> bytes = file.Bytes();
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(0xFF, bytes[0]);
    EXPECT_EQ(0xFE, bytes[1]);
    EXPECT_EQ('W', bytes[2]);
    EXPECT_EQ(0, bytes[3]);
    EXPECT_EQ(file.Text(), Utf16ToUtf8(std::u16string(reinterpret_cast<const char16_t*>(bytes.data() + 2),
                                                      (bytes.size() - 2) / 2)));
    RegFile wide;
    wide.SetValue(HKCU, "K", "Big", kRegBinary, std::vector<std::uint8_t>(60, 0xAB));
    const Lines lines = SplitLines(wide.Text(), "\r\n");
    ASSERT_GE(lines.size(), 5u);
    std::string firstLine = "\"Big\"=hex:";
    while (firstLine.size() < 76)
        firstLine += "ab,";
    EXPECT_EQ(firstLine + "\\", lines[3]);
    EXPECT_EQ(0u, lines[4].find("  ab,ab"));
}

class CommandLineTest : public ::testing::Test {
protected:
    CommandLineTest() { m.PutEverythingOn(); }

    int Run(const char* line) { return cli::RunCommandLine(cli::SplitCommandLine(line), services); }
    // The console's lines since the last call.
    Lines Output()
    {
        Lines lines = SplitLines(console.Output().substr(m_seen));
        m_seen = console.Output().size();
        return lines;
    }
    // The registry changes made so far.
    Lines Changes() const
    {
        Lines changes;
        for (const std::string& event : m.log.Events())
            if (event.rfind("set ", 0) == 0 || event.rfind("delete ", 0) == 0)
                changes.push_back(event);
        return changes;
    }
    std::string Line(K key, const std::string& outcome) const
    {
        return std::string(CatalogueEntryOf(key).name) + "\t" + OptionLabels{m.strings, 60}.Of(key) + "\t" + outcome;
    }

    MemoryMainDlg m;
    MemoryConsole console;
    MemoryFiles& files = m.files;
    cli::CommandLineServices services = m.CommandLine(console);
    std::size_t m_seen = 0;
};

TEST_F(CommandLineTest, StatusTellsEachOptionOffOnOrUnknownAndExitsByTheWorst)
{
    EXPECT_EQ(run::kExitNotAllDone, Run("/status"));
    Lines lines = Output();
    ASSERT_EQ(1 + OrderOf(Pass::Status).size(), lines.size());
    EXPECT_EQ(kDescription, lines[0]);
    EXPECT_EQ(Line(K::NoLicenceAcquisition, "on"), lines[1]);
    EXPECT_EQ(Line(K::MessengerUninstall, "on"), lines.back());
    EXPECT_TRUE(Changes().empty());

    // Everything switched off, Messenger gone: all off.
    files.Put("all.txt", "NoLicenceAcquisition\nNoPlayerIdentification\nNoCodecDownload\nNoErrorReporting\n"
                         "NoCriticalErrorReporting\nNoRemoteAssistance\nNoInternetTimeSync\nRemoveAlexaEntry\n"
                         "NoIeUpdateCheck\nNoIeScheduledUpdates\nNoIntegratedAuth\nDisableErrorReportingService\n"
                         "DisableAutoUpdateService\nDisableTimeService\nDisableTaskSchedulerService\n"
                         "MessengerNoAutostart\n");
    ASSERT_EQ(run::kExitSuccess, Run("/apply all.txt"));
    m.registry.RemoveTree(RegistryRoot::ClassesRoot, "CLSID\\{B69003B3-C55E-4b48-836C-BC5946FC3B28}");
    Output();
    EXPECT_EQ(run::kExitSuccess, Run("/status /report status.txt"));
    lines = Output();
    for (std::size_t i = 1; i < lines.size(); ++i)
        EXPECT_EQ("off", lines[i].substr(lines[i].rfind('\t') + 1)) << lines[i];
    EXPECT_EQ(0u, files.Content("status.txt").find("\xEF\xBB\xBF" + kDescription + "\r\n"));

    // A value that cannot be read: unknown, and with nothing on, exit code 2.
    m.registry.RemoveTree(HKLM, kReporting);
    EXPECT_EQ(run::kExitUnknown, Run("/status"));
    lines = Output();
    EXPECT_EQ(Line(K::NoErrorReporting, "unknown"), lines[4]);
    EXPECT_EQ(Line(K::NoCriticalErrorReporting, "unknown"), lines[5]);
}

TEST_F(CommandLineTest, ApplyRunsEveryStepWithoutAskingAndReportsEach)
{
    ASSERT_EQ(run::kExitSuccess, Run("/apply EXPERT /report C:\\r.txt"));
    const Lines lines = Output();
    EXPECT_EQ(Lines({kDescription, "Backup\t" + kBackups + "\\2026-12-07_153012.reg",
                     Line(K::MediaPlayerGroup, "done"),
                     Line(K::NoLicenceAcquisition, "done"), Line(K::NoPlayerIdentification, "done"),
                     Line(K::NoCodecDownload, "done"), Line(K::NoErrorReporting, "done"),
                     Line(K::NoCriticalErrorReporting, "done"), Line(K::NoRemoteAssistance, "done"),
                     Line(K::NoIeScheduledUpdates, "done"), Line(K::NoIeUpdateCheck, "done"),
                     Line(K::NoInternetTimeSync, "done"), Line(K::NoIntegratedAuth, "done"),
                     Line(K::RemoveAlexaEntry, "done"), Line(K::DisableErrorReportingService, "done"),
                     Line(K::DisableAutoUpdateService, "done"), Line(K::DisableTimeService, "done"),
                     Line(K::DisableTaskSchedulerService, "done"), Line(K::RemoveSupportUsers, "needs a person")}),
              lines);
    // The report file holds the same, for Notepad.
    std::string expected = "\xEF\xBB\xBF";
    for (const std::string& line : lines)
        expected += line + "\r\n";
    EXPECT_EQ(expected, files.Content("C:\\r.txt"));
    EXPECT_TRUE(m.prompt.History().empty()) << "a question was asked";
    EXPECT_TRUE(m.dialogs.Dialogs().empty()) << "a window was shown";

    // Messenger removed without its question; already-absent deletes are done.
    files.Put("messenger.txt", "MessengerUninstall\nRemoveAlexaEntry\n");
    EXPECT_EQ(run::kExitSuccess, Run("/apply messenger.txt"));
    EXPECT_EQ(Lines({kDescription, "Backup\t" + kBackups + "\\2026-12-07_153012-2.reg",
                     Line(K::RemoveAlexaEntry, "done"),
                     Line(K::MessengerUninstall, "done")}),
              Output());
    EXPECT_TRUE(m.prompt.History().empty());
    ASSERT_EQ(2u, m.shell.Starts().size());
    EXPECT_NE(std::string::npos, m.shell.Starts().front().file.find("wmplayer.exe"));
    EXPECT_NE(std::string::npos, m.shell.Starts().back().file.find("RunDll32.exe"));

    // Failed writes and a program that does not start: their lines, exit code 1.
    m.faults.failSet = true;
    m.shell.FailLaunches(true);
    EXPECT_EQ(run::kExitNotAllDone, Run("/apply messenger.txt"));
    EXPECT_EQ(Line(K::MessengerUninstall, "無法啟動 RunDll32.exe"), Output().back());
    files.Put("one.txt", "NoErrorReporting");
    EXPECT_EQ(run::kExitNotAllDone, Run("/apply one.txt"));
    EXPECT_EQ(Line(K::NoErrorReporting, OptionLabels{m.strings, 60}.Of(K::NoErrorReporting) + ":[ 無法設定系統登錄值]"),
              Output().back());
}

TEST_F(CommandLineTest, RestoreWritesTheDefaultsAfterItsBackupWithALinePerValue)
{
    ASSERT_EQ(run::kExitSuccess, Run("/restore /report r.txt"));
    const Lines lines = Output();
    ASSERT_EQ(2 + OrderOf(Pass::Restore).size(), lines.size());
    EXPECT_EQ("Backup\t" + kBackups + "\\2026-12-07_153012.reg", lines[1]);
    EXPECT_EQ(Line(K::NoLicenceAcquisition, "done"), lines[2]);
    EXPECT_EQ(Line(K::DisableTaskSchedulerService, "done"), lines.back());
    EXPECT_EQ(DwordBytes(1), m.registry.Get(HKLM, kReporting, "DoReport")->data);
    EXPECT_FALSE(m.registry.Get(HKCU, kPlayer, "SilentAcquisition")) << "the player's value is deleted";
    EXPECT_TRUE(files.Has(kBackups + "\\2026-12-07_153012.reg"));
    EXPECT_TRUE(m.prompt.History().empty()) << "a question was asked";

    m.registry.RemoveTree(HKLM, kReporting);
    EXPECT_EQ(run::kExitNotAllDone, Run("/restore"));
    const std::string label = OptionLabels{m.strings, 60}.Of(K::NoErrorReporting);
    EXPECT_EQ(Line(K::NoErrorReporting, label + ":[ 無法開啟登錄機碼 ]"), Output()[5]);
}

TEST_F(CommandLineTest, ABadCommandLineProfileOrFileEndsWithCodeThreeAndChangesNothing)
{
    files.Put("bad.txt", "NoErrorReporting\nNoSuchOption\n");
    files.Refuse("locked.txt", MemoryFiles::Refusal::AtCreate);
    const std::pair<const char*, const char*> cases[] = {
        {"/apply", "veilmark: /apply needs a selection\n"},
        {"/frobnicate", "veilmark: unknown switch /frobnicate\n"},
        {"/apply bad.txt", "veilmark: bad.txt, line 2: unknown option key \"NoSuchOption\"\n"},
        {"/apply missing.txt", "veilmark: cannot read the profile missing.txt: "},
        {"/apply expert /report locked.txt", "veilmark: cannot write the report locked.txt: Access is denied.\n"},
        {"/export expert locked.txt", "veilmark: cannot write locked.txt: Access is denied.\n"},
        {"/restore /report locked.txt", "veilmark: cannot write the report locked.txt: Access is denied.\n"},
    };
    for (const auto& [line, message] : cases) {
        const std::size_t before = console.Errors().size();
        EXPECT_EQ(run::kExitError, Run(("/lang en " + std::string(line)).c_str())) << line;
        EXPECT_EQ(0u, console.Errors().find(message, before) - before) << console.Errors().substr(before);
    }
    EXPECT_TRUE(Changes().empty());
    EXPECT_TRUE(m.shell.Starts().empty());
    EXPECT_FALSE(files.Has("locked.txt"));
}

TEST_F(CommandLineTest, ExportWritesTheSelectionsChangesAsARegFileAndTouchesNoRegistry)
{
    files.Put("p.txt", "NoInternetTimeSync\nMessengerNoAutostart\nRemoveAlexaEntry\nNoCodecDownload\n"
                       "MessengerNoAutostart\nRemoveSupportUsers\n");
    ASSERT_EQ(run::kExitSuccess, Run("/export p.txt C:\\out.reg"));
    EXPECT_EQ(Lines({"已寫入 C:\\out.reg。"}), Output());
    EXPECT_TRUE(Changes().empty());
    EXPECT_TRUE(m.shell.Starts().empty());

    const std::string bytes = files.Content("C:\\out.reg");
    ASSERT_EQ(0u, bytes.find("\xFF\xFE"));
    const std::string text =
        Utf16ToUtf8(std::u16string(reinterpret_cast<const char16_t*>(bytes.data() + 2), (bytes.size() - 2) / 2));
    Lines entries;  // every line but the remarks
    Lines remarks;
    for (const std::string& line : SplitLines(text, "\r\n"))
        (line.rfind("; ", 0) == 0 ? remarks : entries).push_back(line);
    EXPECT_EQ(Lines({"Windows Registry Editor Version 5.00", "", "",
                     "[HKEY_CURRENT_USER\\Software\\Microsoft\\MediaPlayer\\Preferences]",
                     "\"UpgradeCodecPrompt\"=hex:00", "",
                     "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\W32Time\\Parameters]",
                     "\"Type\"=\"NoSync\"", "",
                     "[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Internet "
                     "Explorer\\Extensions\\{c95fe080-8f5d-11d2-a20b-00aa003c157a}]",
                     "", "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]",
                     "\"MSMSGS\"=-", "", ""}),
              entries);
    // The steps that run programs stand as remarks, naming their options.
    ASSERT_EQ(3u, remarks.size());
    EXPECT_NE(std::string::npos, remarks[1].find("MediaPlayerGroup"));
    EXPECT_NE(std::string::npos, remarks[2].find("RemoveSupportUsers"));

    // A file that cannot be put in place is not left half-written.
    files.Refuse("full.reg", MemoryFiles::Refusal::AtCommit);
    EXPECT_EQ(run::kExitError, Run("/export expert full.reg"));
    EXPECT_FALSE(files.Has("full.reg"));
}

}  // namespace
