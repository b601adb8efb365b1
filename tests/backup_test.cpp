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
#include "settings/apply_settings.h"
#include "settings/backup.h"
#include "settings/reg_import.h"
#include "settings/revert.h"
#include "tests/memory_main_dlg.h"

namespace {

using K = OptionKey;
constexpr RegistryRoot HKCU = RegistryRoot::CurrentUser;
constexpr RegistryRoot HKLM = RegistryRoot::LocalMachine;
const std::string kBackups = "C:\\Documents and Settings\\user\\Application Data\\Veilmark\\Backups";
constexpr const char* kAlexa =
    "SOFTWARE\\Microsoft\\Internet Explorer\\Extensions\\{c95fe080-8f5d-11d2-a20b-00aa003c157a}";

// Every key behind an option, each once.
std::set<std::pair<RegistryRoot, std::string>> OptionKeys()
{
    std::set<std::pair<RegistryRoot, std::string>> keys;
    for (const CatalogueEntry& entry : Catalogue())
        if (entry.binding.keyPath)
            keys.insert({entry.binding.root, entry.binding.keyPath});
    return keys;
}

// The keys behind the options and every value in them, through the port.
using Snapshot = std::map<std::string, std::map<std::string, std::pair<std::uint32_t, std::vector<std::uint8_t>>>>;
Snapshot Take(IRegistry& registry)
{
    Snapshot snapshot;
    for (const auto& [root, path] : OptionKeys()) {
        const ScopedRegKey key(registry, root, path, kKeyRead);
        if (!key)
            continue;
        auto& values = snapshot[std::to_string(static_cast<int>(root)) + path];
        std::string name;
        for (std::uint32_t i = 0; registry.ValueName(key.Get(), i, name); ++i) {
            RegistryValue value;
            EXPECT_TRUE(registry.QueryValue(key.Get(), name, 0x7FFFFFFF, value)) << name;
            values[name] = {value.type, value.data};
        }
    }
    return snapshot;
}

// The keys and values in which two snapshots differ, one per line.
std::string Differences(const Snapshot& a, const Snapshot& b)
{
    std::string text;
    std::set<std::string> keys;
    for (const auto* snapshot : {&a, &b})
        for (const auto& entry : *snapshot)
            keys.insert(entry.first);
    for (const std::string& key : keys) {
        const auto inA = a.find(key);
        const auto inB = b.find(key);
        if (inA == a.end() || inB == b.end()) {
            text += key + (inA == a.end() ? ": key only after\n" : ": key only before\n");
            continue;
        }
        std::set<std::string> names;
        for (const auto* values : {&inA->second, &inB->second})
            for (const auto& value : *values)
                names.insert(value.first);
        for (const std::string& name : names) {
            const auto va = inA->second.find(name);
            const auto vb = inB->second.find(name);
            if (va == inA->second.end() || vb == inB->second.end() || va->second != vb->second)
                text += key + " \"" + name + "\": " + (va == inA->second.end() ? "only after" : vb == inB->second.end() ? "only before" : "differs") + "\n";
        }
    }
    return text;
}

// Registry states as administrators and other programs leave them.
class StateMaker {
public:
    explicit StateMaker(unsigned seed) : m_random(seed) {}

    void Make(MemoryRegistry& registry)
    {
        for (const auto& [root, path] : OptionKeys())
            registry.CreateKey(root, path);
        for (const CatalogueEntry& entry : Catalogue()) {
            const RegistryBinding& b = entry.binding;
            if (b.keyPath && entry.key != K::RemoveAlexaEntry)
                PutValue(registry, b.root, b.keyPath, b.valueName, b.type);
        }
        registry.RemoveTree(HKLM, kAlexa);
        for (int values = Pick(6) - 1, i = 0; i < values; ++i) {  // -1: no Alexa key at all
            const std::uint32_t type = OddType();
            registry.Put(HKLM, kAlexa, i == 0 ? "" : Name(), type, DataOf(type, Pick(40)));
        }
        if (Pick(3) == 0)
            registry.PutText(HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Other", "other.exe");
        // Now and then a key is not there at all.
        for (const auto& [root, path] : OptionKeys())
            if (Pick(10) == 0)
                registry.RemoveTree(root, path);
    }

private:
    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(m_random); }

    std::string Text(int length)
    {
        static const char* const kPieces[] = {"a", "Z", "7", " ", "\\", "\"", "時", "間", "é", "=", ";", "[", "\r\n"};
        std::string text;
        for (int i = 0; i < length; ++i)
            text += kPieces[Pick(static_cast<int>(std::size(kPieces)))];
        return text;
    }
    // A value name: anything but a line break, which no .reg file can hold.
    std::string Name()
    {
        std::string name = Text(8);
        for (std::size_t at; (at = name.find("\r\n")) != std::string::npos;)
            name.replace(at, 2, "x");
        return name;
    }
    std::vector<std::uint8_t> Bytes(int length)
    {
        std::vector<std::uint8_t> bytes;
        for (int i = 0; i < length; ++i)
            bytes.push_back(static_cast<std::uint8_t>(Pick(256)));
        return bytes;
    }
    std::uint32_t OddType()
    {
        static const std::uint32_t kTypes[] = {kRegNone, kRegSz, kRegExpandSz, kRegBinary, kRegDword, 5, kRegMultiSz, 11, 0x1234};
        return kTypes[Pick(static_cast<int>(std::size(kTypes)))];
    }
    // Data of `type`: texts as the port carries them, with zeros where they fall.
    std::vector<std::uint8_t> DataOf(std::uint32_t type, int length)
    {
        if (!IsTextType(type))
            return Bytes(length);
        std::vector<std::uint8_t> data = TextBytes(Text(length));
        if (type == kRegMultiSz)
            data.push_back(0);
        if (Pick(4) == 0)
            data.pop_back();  // a text stored without its zero
        return data;
    }

    void PutValue(MemoryRegistry& registry, RegistryRoot root, const char* path, const char* name, std::uint32_t type)
    {
        switch (Pick(7)) {
        case 0:
            return;  // absent
        case 1:  // its usual type, with a value Windows knows
            registry.Put(root, path, name, type,
                         type == kRegDword ? DwordBytes(static_cast<std::uint32_t>(Pick(5)))
                         : type == kRegSz  ? TextBytes("Ntp")
                                           : std::vector<std::uint8_t>{1});
            return;
        case 2:  // its usual type, other data
            registry.Put(root, path, name, type, type == kRegDword ? Bytes(4) : DataOf(type, 1 + Pick(20)));
            return;
        case 3: {  // an odd type
            const std::uint32_t odd = OddType();
            registry.Put(root, path, name, odd, DataOf(odd, Pick(30)));
            return;
        }
        case 4:
            registry.Put(root, path, name, type, {});
            return;
        case 5:  // longer than any buffer of the program
            registry.Put(root, path, name, type, DataOf(type, 300));
            return;
        default: {
            const std::uint32_t odd = OddType();
            registry.Put(root, path, name, odd, DataOf(odd, Pick(8)));
        }
        }
    }

    std::mt19937 m_random;
};

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
        const settings::ParsedRegFile file = settings::ParseRegFile({text.begin(), text.end()}, Language::Chinese);
        ASSERT_EQ(0, file.errorLine) << file.error;
        std::string why;
        EXPECT_EQ(line, settings::CheckRevertable(file.entries, why, Language::Chinese)) << text;
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
        const settings::ParsedRegFile file = settings::ParseRegFile({text.begin(), text.end()}, Language::Chinese);
        EXPECT_EQ(line, file.errorLine) << text;
        EXPECT_EQ(error, file.error);
    }

    // The older format: 8-bit texts, hex lists over several lines.
    const std::string old = "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\W32Time\\Parameters]\n"
                            "\"Type\"=hex(2):4e,\\\n  74,70,00\n; remark\n\"Type\"=\"NTP\"\n";
    const settings::ParsedRegFile file = settings::ParseRegFile({old.begin(), old.end()}, Language::Chinese);
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
    ASSERT_EQ(cli::kExitSuccess, cli::RunCommandLine({"/apply", "recommended"}, services));
    const std::size_t listed = console.Output().size();
    ASSERT_EQ(cli::kExitSuccess, cli::RunCommandLine({"/backups"}, services));
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
    EXPECT_EQ(cli::kExitSuccess,
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
    EXPECT_EQ(cli::kExitError, cli::RunCommandLine({"/apply", "expert"}, services));
    EXPECT_EQ("veilmark: cannot write the backup " + kBackups +
                  ": Cannot create a file when that file already exists.\n",
              console.Errors());

    // A value that is there but cannot be read would come back as absent.
    m.files.Remove(kBackups);
    m.faults.failQuery = true;
    EXPECT_EQ(cli::kExitError, cli::RunCommandLine({"/apply", "expert"}, services));
    EXPECT_NE(std::string::npos, console.Errors().find("the value SilentAcquisition of "
                                                       "HKEY_CURRENT_USER\\Software\\Microsoft\\MediaPlayer\\Preferences cannot be read"))
        << console.Errors();
    EXPECT_TRUE(Changes().empty());
    EXPECT_TRUE(m.shell.Starts().empty());
}

}  // namespace
