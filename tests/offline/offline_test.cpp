// The offline program on XP drives made by the tests: what it writes, read
// back by chntpw's reged (a reader that is not hivex), equals what the same
// pass writes on the in-memory registry; status per profile as /status
// prints it; backups where the running system finds them, and the way back;
// every refusal leaves every hive as it was; a kill at any step of the
// write leaves each hive old or new.
#include <gtest/gtest.h>
#include <hivex.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <cstring>
#include <functional>
#include <regex>
#include <sstream>

#include "offline/offline_arguments.h"
#include "offline/offline_run.h"
#include "platform/builtin/builtin_string_table.h"
#include "platform/hive/hive_commit.h"
#include "platform/hive/hive_registry.h"
#include "platform/memory/memory_clock.h"
#include "platform/memory/memory_console.h"
#include "platform/memory/memory_version_info.h"
#include "platform/utf8.h"
#include "res/version.h"
#include "run/run_reports.h"
#include "settings/apply_settings.h"
#include "settings/backup.h"
#include "settings/policy.h"
#include "settings/reg_import.h"
#include "settings/revert.h"
#include "tests/memory_main_dlg.h"
#include "tests/offline/run_offline.h"
#include "tests/offline/xp_drive.h"
#include "tests/registry_states.h"

namespace {

using namespace registry_states;
constexpr RegistryRoot HKCR = RegistryRoot::ClassesRoot;

TEST(OfflineTest, ApplyExpertWritesEveryHiveAsThePassWritesTheInMemoryRegistry)
{
    XpDrive drive({"alice", "bob"}, SeedEverythingOn);
    const Finished run = RunOffline({"--root", drive.Root(), "apply", "expert"});
    ASSERT_EQ(run::kExitSuccess, run.exitCode) << run.output << run.errors;

    for (const std::string& profile : drive.Profiles())
        EXPECT_EQ("", DifferencesFromApplyExpert(drive.Root(), profile)) << profile;
    // The machine's steps once, then each profile's own; the program steps
    // left for the running system.
    const std::string alice = run.output.substr(run.output.find("[alice]"));
    EXPECT_NE(std::string::npos, run.output.find("[machine]\nNoErrorReporting\t")) << run.output;
    EXPECT_NE(std::string::npos,
              run.output.find("RemoveSupportUsers\tRemove the MS support accounts\tneeds the running system\n[alice]"));
    EXPECT_EQ(std::string::npos, alice.find("NoErrorReporting")) << alice;
    EXPECT_EQ(0u, alice.find("[alice]\nBackup\t" + drive.ProfileFolder("alice") +
                             "/Application Data/Veilmark/Backups/2026-12-07_153012.reg\n"
                             "MediaPlayerGroup\tWindows Media Player\tneeds the running system\n"
                             "NoLicenceAcquisition\t"))
        << alice;
}

TEST(OfflineTest, StatusShowsEachProfileAsStatusOnTheRunningSystemAndTheWayBackRestoresIt)
{
    XpDrive drive({"alice", "bob"}, SeedEverythingOn);
    const Finished before = RunOffline({"--root", drive.Root(), "status"});
    EXPECT_EQ(run::kExitNotAllDone, before.exitCode);
    std::string expected;
    for (const std::string& profile : drive.Profiles()) {
        MemoryRegistry registry;
        SeedXpProfessional(registry);
        SeedEverythingOn(registry, profile);
        run::Report report;
        report.Line({"[" + profile + "]"});
        BuiltinStringTable strings;
        run::AddStatusLines(report, registry, MemoryVersionInfo(), {strings, LanguageBaseOf(Language::English)});
        expected += report.Text();
    }
    EXPECT_EQ(expected, before.output);

    // The recommended pass backs up each profile where veilmark.exe finds
    // the backups; a user's backup, taken back, restores that user and the machine.
    ASSERT_EQ(run::kExitSuccess, RunOffline({"--root", drive.Root(), "apply", "recommended"}).exitCode);
    const Finished listed = RunOffline({"--root", drive.Root(), "--user", "ALICE", "backups"});
    const std::string backup = drive.ProfileFolder("alice") + "/Application Data/Veilmark/Backups/2026-12-07_153012.reg";
    EXPECT_EQ("[alice]\n" + backup + "\n", listed.output);
    EXPECT_NE(before.output, RunOffline({"--root", drive.Root(), "status"}).output);
    const Finished reverted = RunOffline({"--root", drive.Root(), "revert", backup});
    EXPECT_EQ(run::kExitSuccess, reverted.exitCode) << reverted.errors;
    EXPECT_EQ(before.output.substr(0, before.output.find("[bob]")),
              RunOffline({"--root", drive.Root(), "--user", "alice", "status"}).output);
}

// Group Policy from the installation's hives: the machine's from SOFTWARE
// for every profile, a user's from that user's NTUSER.DAT alone.
TEST(OfflineTest, PoliciesOfTheMachineAndOfOneUserDecideAsOnTheRunningSystem)
{
    const PolicyValue& machine = CatalogueEntryOf(OptionKey::NoErrorReporting).policy.Values().front();
    const PolicyValue& user = CatalogueEntryOf(OptionKey::NoCodecDownload).policy.Values().front();
    XpDrive drive({"alice", "bob"}, [&](IRegistry& registry, const std::string& profile) {
        SeedEverythingOn(registry, profile);
        PutValue(registry, machine.root, machine.keyPath, machine.valueName, kRegDword, DwordBytes(1));
        if (profile == "alice")
            PutValue(registry, user.root, user.keyPath, user.valueName, kRegDword, DwordBytes(0));
    });
    const auto lineOf = [](const std::string& report, const std::string& profile, const std::string& start) {
        const std::size_t section = report.find("[" + profile + "]\n");
        const std::size_t at = report.find("\n" + start, section);
        return section == std::string::npos || at == std::string::npos
                   ? std::string()
                   : report.substr(at + 1, report.find('\n', at + 1) - at - 1);
    };

    const Finished status = RunOffline({"--root", drive.Root(), "status"});
    for (const std::string& profile : drive.Profiles()) {
        SCOPED_TRACE(profile);
        EXPECT_EQ("NoErrorReporting\tTurn off error reporting\ton\tpolicy",
                  lineOf(status.output, profile, "NoErrorReporting\t"));
        EXPECT_EQ(profile == "alice" ? "NoCodecDownload\tDo not download codecs automatically\ton\tpolicy"
                                     : "NoCodecDownload\tDo not download codecs automatically\tunknown",
                  lineOf(status.output, profile, "NoCodecDownload\t"));
    }

    const Finished apply = RunOffline({"--root", drive.Root(), "apply", "recommended"});
    EXPECT_EQ(run::kExitNotAllDone, apply.exitCode) << apply.output << apply.errors;
    EXPECT_EQ("NoErrorReporting\tTurn off error reporting\tkept on by a policy",
              lineOf(apply.output, "machine", "NoErrorReporting\t"));
    EXPECT_EQ("NoCodecDownload\tDo not download codecs automatically\tkept on by a policy",
              lineOf(apply.output, "alice", "NoCodecDownload\t"));
    EXPECT_EQ("NoCodecDownload\tDo not download codecs automatically\tdone",
              lineOf(apply.output, "bob", "NoCodecDownload\t"));

    // The preferences are written all the same; the policies stay as they were.
    const Finished after = RunOffline({"--root", drive.Root(), "status"});
    EXPECT_EQ("NoErrorReporting\tTurn off error reporting\ton\tpolicy",
              lineOf(after.output, "bob", "NoErrorReporting\t"));
    EXPECT_EQ("NoCodecDownload\tDo not download codecs automatically\toff",
              lineOf(after.output, "bob", "NoCodecDownload\t"));
    for (const std::string profile : {"alice", "bob"}) {
        MemoryRegistry hives;
        ReadWithReged(drive, profile, hives);
        EXPECT_EQ(DwordBytes(0), hives.Get(RegistryRoot::LocalMachine, "SOFTWARE\\Microsoft\\PCHealth\\ErrorReporting",
                                           "DoReport")->data);
        EXPECT_EQ(DwordBytes(1), hives.Get(machine.root, machine.keyPath, machine.valueName)->data);
        EXPECT_EQ(profile == "alice", hives.Get(user.root, user.keyPath, user.valueName).has_value());
    }
}

// A hive whose sequence numbers differ, as Windows leaves it when it stops
// before the hive is written whole.
void MakeDirty(const std::string& hive)
{
    std::fstream file(hive, std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(4);
    file.put('\x07');
}

// Cuts the hive short in its last bin: its base block stays sound.
void Truncate(const std::string& hive)
{
    std::filesystem::resize_file(hive, std::filesystem::file_size(hive) - 0x800);
}

TEST(OfflineTest, AnInstallationNotShutDownNormallyOrNotXpIsRefusedAndNothingChanges)
{
    struct Case {
        const char* what;
        std::function<void(const XpDrive&)> spoil;
        std::vector<std::string> options;
        std::string error;
    };
    const Case cases[] = {
        {"a dirty system hive", [](const XpDrive& d) { MakeDirty(d.System()); }, {},
         "was not closed cleanly: Windows was not shut down normally."},
        {"a user's hive with a wrong checksum",
         [](const XpDrive& d) {
             std::fstream file(d.UserHive("bob"), std::ios::in | std::ios::out | std::ios::binary);
             file.seekp(0x1FC);
             file.put('\x55');
         },
         {}, "/bob/NTUSER.DAT was not closed cleanly"},
        {"a hibernated system",
         [](const XpDrive& d) { std::ofstream(d.Root() + "/HIBERFIL.SYS") << "hibr and the rest"; }, {},
         "Windows on this installation is hibernated"},
        {"Windows 2000",
         [](const XpDrive& d) {
             std::vector<std::unique_ptr<HiveFile>> hive;
             HiveProblem problem;
             std::string reason;
             hive.push_back(HiveFile::Open(d.Software(), problem, reason));
             HiveRegistry registry(HiveMounts{hive[0].get(), nullptr, ""});
             PutValue(registry, HKLM, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "ProductName", kRegSz,
                      TextBytes("Microsoft Windows 2000"));
             ASSERT_TRUE(CommitHives({hive[0].get()}, FileTimeNow(), reason)) << reason;
         },
         {}, "this installation is Microsoft Windows 2000, not Windows XP"},
        {"a truncated system hive", [](const XpDrive& d) { Truncate(d.System()); }, {},
         "/system is damaged (it cannot be read whole) and is left alone"},
        {"a profile that is not there", [](const XpDrive&) {}, {"--user", "carol"}, "no profile named carol"},
        {"no place for the backups", [](const XpDrive&) {}, {"--backup-dir", "/proc/veilmark"},
         "cannot write the backup /proc/veilmark/alice"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        XpDrive drive({"alice", "bob"}, SeedEverythingOn);
        c.spoil(drive);
        std::vector<std::string> hives;
        for (const std::string& hive : drive.Hives())
            hives.push_back(Bytes(hive));
        std::vector<std::string> words{"--root", drive.Root()};
        words.insert(words.end(), c.options.begin(), c.options.end());
        words.insert(words.end(), {"apply", "expert"});
        const Finished run = RunOffline(words);
        EXPECT_EQ(run::kExitError, run.exitCode);
        EXPECT_NE(std::string::npos, run.errors.find(c.error)) << run.errors;
        for (std::size_t i = 0; i < hives.size(); ++i)
            EXPECT_TRUE(hives[i] == Bytes(drive.Hives()[i])) << drive.Hives()[i];
    }
    TemporaryFolder empty;
    EXPECT_NE(std::string::npos, RunOffline({"--root", empty.Path(), "status"}).errors.find("holds system32/config/software"));

    // A user's damaged hive: that profile named and left alone, the others changed.
    XpDrive drive({"alice", "bob"}, SeedEverythingOn);
    Truncate(drive.UserHive("bob"));
    const std::string bob = Bytes(drive.UserHive("bob"));
    const Finished run = RunOffline({"--root", drive.Root(), "apply", "expert"});
    EXPECT_EQ(run::kExitSuccess, run.exitCode);
    EXPECT_NE(std::string::npos, run.errors.find("the profile bob is left out: the hive " + drive.UserHive("bob") +
                                                 " is damaged"))
        << run.errors;
    EXPECT_EQ(std::string::npos, run.output.find("[bob]"));
    EXPECT_NE(std::string::npos, run.output.find("[alice]"));
    EXPECT_TRUE(bob == Bytes(drive.UserHive("bob")));
}

// Every key and value of a hive, one per line, as hivex reads them.
std::string Dump(const std::string& path)
{
    hive_h* hive = hivex_open(path.c_str(), 0);
    if (!hive)
        return "unreadable";
    std::ostringstream text;
    const std::function<void(hive_node_h, const std::string&)> walk = [&](hive_node_h node, const std::string& at) {
        text << at << "\n";
        hive_value_h* values = hivex_node_values(hive, node);
        for (hive_value_h* value = values; value && *value; ++value) {
            hive_type type;
            std::size_t size = 0;
            char* key = hivex_value_key(hive, *value);
            char* data = hivex_value_value(hive, *value, &type, &size);
            text << "  " << key << " " << type << " " << std::string(data, size) << "\n";
            free(key);
            free(data);
        }
        free(values);
        hive_node_h* children = hivex_node_children(hive, node);
        for (hive_node_h* child = children; child && *child; ++child) {
            char* name = hivex_node_name(hive, *child);
            walk(*child, at + "\\" + name);
            free(name);
        }
        free(children);
    };
    walk(hivex_root(hive), "");
    hivex_close(hive);
    return text.str();
}

TEST(OfflineTest, AKillAtAnyStepOfTheWriteLeavesEveryHiveOldOrNew)
{
    XpDrive done({"alice", "bob"}, SeedEverythingOn);
    std::vector<std::string> old;
    for (const std::string& hive : done.Hives())
        old.push_back(Dump(hive));
    std::vector<std::string> steps;
    ASSERT_EQ(run::kExitSuccess, RunOffline({"--root", done.Root(), "apply", "expert"}, [&](std::string_view step) {
                                     steps.emplace_back(step);
                                 }).exitCode);
    ASSERT_GE(steps.size(), 10u);

    for (std::size_t kill = 0; kill < steps.size(); ++kill) {
        SCOPED_TRACE("killed before step " + std::to_string(kill + 1));
        XpDrive drive({"alice", "bob"}, SeedEverythingOn);
        const pid_t child = fork();
        ASSERT_NE(-1, child);
        if (child == 0) {
            std::size_t step = 0;
            RunOffline({"--root", drive.Root(), "apply", "expert"}, [&](std::string_view) {
                if (step++ == kill)
                    raise(SIGKILL);
            });
            _exit(0);
        }
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFSIGNALED(status));
        bool someNew = false;
        for (std::size_t i = 0; i < old.size(); ++i) {
            const std::string now = Dump(drive.Hives()[i]);
            EXPECT_TRUE(now == old[i] || now == Dump(done.Hives()[i])) << drive.Hives()[i];
            someNew |= now != old[i];
        }
        // Until a hive is put in place, every hive is as it was.
        const auto firstReplace = std::find(steps.begin(), steps.end(), "replace hive") - steps.begin();
        EXPECT_EQ(static_cast<std::ptrdiff_t>(kill) > firstReplace, someNew);
        // The drafts a kill leaves stand in no later run's way.
        EXPECT_EQ(run::kExitSuccess, RunOffline({"--root", drive.Root(), "apply", "expert"}).exitCode);
    }
}

TEST(OfflineTest, BackupApplyAndRevertOnHivesGiveBackEveryStateByteForByte)
{
    constexpr int kStates = 240;
    const settings::Selection selection = settings::Selection::Expert(false);
    NoApplyActions actions;
    for (int state = 0; state < kStates; ++state) {
        SCOPED_TRACE("state " + std::to_string(state));
        MemoryRegistry generated;
        StateMaker(static_cast<unsigned>(state)).Make(generated);
        TemporaryFolder folder;
        const std::vector<std::string> paths{folder.Path() + "/software", folder.Path() + "/system",
                                             folder.Path() + "/NTUSER.DAT"};
        std::vector<std::unique_ptr<HiveFile>> hives;
        const auto reopen = [&] {
            hives.clear();
            for (const std::string& path : paths) {
                HiveProblem problem;
                std::string reason;
                hives.push_back(HiveFile::Open(path, problem, reason));
                ASSERT_NE(nullptr, hives.back()) << reason;
            }
        };
        const auto commit = [&] {
            std::string error;
            ASSERT_TRUE(CommitHives({hives[0].get(), hives[1].get(), hives[2].get()}, FileTimeNow(), error)) << error;
            reopen();
        };
        const auto registry = [&] {
            return HiveRegistry(HiveMounts{hives[0].get(), hives[1].get(), "ControlSet001", hives[2].get()});
        };
        for (const std::string& path : paths)
            WriteEmptyHive(path);
        reopen();
        HiveRegistry filled = registry();
        CopyOptionKeys(generated, filled);
        commit();
        HiveRegistry before = registry();
        const Snapshot original = Take(before);
        ASSERT_EQ("", Differences(Take(generated), original));

        RegFile backup;
        std::string error;
        ASSERT_TRUE(settings::AddBackup(before, settings::ApplyTargets(selection), backup, error, Language::English));
        RegistryOps ops(before);
        settings::ApplySettings(ops, selection, false, actions);
        commit();
        HiveRegistry applied = registry();
        const settings::ParsedRegFile file = settings::ParseRegFile(backup.Bytes(), Language::English);
        for (const settings::RevertResult& result : settings::Revert(applied, file.entries, Language::English))
            EXPECT_TRUE(result.done) << result.entry->name << ": " << result.outcome;
        commit();
        HiveRegistry after = registry();
        ASSERT_EQ("", Differences(original, Take(after))) << backup.Text();
    }
}

TEST(OfflineArgumentsTest, ReadsLongOptionsAnywhereAndNamesWhatIsWrong)
{
    const offline::ParsedCommand apply =
        offline::ParseCommand({"apply", "--user=ann", "expert", "--root", "/mnt/xp", "--user", "Default User",
                               "--report", "r.txt", "--lang", "de"},
                              Language::English);
    ASSERT_EQ("", apply.error);
    EXPECT_EQ("apply", apply.command.Name());
    EXPECT_EQ(std::vector<std::string>{"expert"}, apply.command.operands);
    EXPECT_EQ("/mnt/xp", apply.command.root);
    EXPECT_EQ((std::vector<std::string>{"ann", "Default User"}), apply.command.users);
    EXPECT_EQ("r.txt", apply.command.reportPath);
    EXPECT_EQ(Language::German, apply.command.language);
    const offline::ParsedCommand images = offline::ParseCommand(
        {"--image", "a.qcow2", "--partition=/dev/sdb2", "status", "--image=b.vdi"}, Language::English);
    ASSERT_EQ("", images.error);
    EXPECT_EQ((std::vector<std::string>{"a.qcow2", "b.vdi"}), images.command.images);
    EXPECT_EQ(std::vector<std::string>{"/dev/sdb2"}, images.command.partitions);

    const std::pair<std::vector<std::string>, std::string> wrong[] = {
        {{"status"}, "--root DIR (the root of the Windows drive) or --image FILE (a disk image) is missing"},
        {{"--root", "/x", "--image", "a.img", "status"}, "--root and --image cannot be used together"},
        {{"--root", "/x", "--partition", "sda2", "status"}, "--partition goes only with --image"},
        {{"--root", "/x"}, "a command is missing: status, apply, restore, revert or backups"},
        {{"--root", "/x", "apply"}, "apply needs a selection"},
        {{"--root", "/x", "revert", "a.reg", "b.reg"}, "unexpected argument b.reg"},
        {{"--root", "/x", "backups", "--report", "r.txt"}, "unknown option --report"},
        {{"--root", "/x", "--lang", "fr", "status"}, "--lang needs zh, de or en"},
        {{"--root", "status"}, "a command is missing: status, apply, restore, revert or backups"},
        {{"--root=", "status"}, "--root needs a value"},
        {{"--force", "status"}, "unknown option --force"},
    };
    for (const auto& [words, error] : wrong)
        EXPECT_EQ(error, offline::ParseCommand(words, Language::English).error) << words.back();
    EXPECT_TRUE(offline::ParseCommand({"status", "--help"}, Language::English).command.help);
}

// Where a console shows a line: a CJK character takes two columns, a tab
// goes on to the next multiple of eight.
std::size_t Columns(const std::string& line)
{
    std::size_t columns = 0;
    for (const char16_t c : Utf8ToUtf16(line)) {
        const bool wide = (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
                          (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
                          (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) || (c >= 0xFFE0 && c <= 0xFFE6);
        columns = c == u'\t' ? (columns / 8 + 1) * 8 : columns + (wide ? 2 : 1);
    }
    return columns;
}

bool HasCjk(const std::string& text)
{
    const std::u16string units = Utf8ToUtf16(text);
    return std::any_of(units.begin(), units.end(), [](char16_t c) { return c >= 0x3000 && c <= 0x9FFF; });
}

// Whether `word` stands in `text` as a word of its own, not inside a longer
// ASCII one ("on" in "on（仍在作用）", not in "option").
bool HasWord(const std::string& text, const std::string& word)
{
    const auto inWord = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; };
    for (std::size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) {
        const bool before = at > 0 && inWord(word.front()) && inWord(text[at - 1]);
        const bool after = at + word.size() < text.size() && inWord(word.back()) && inWord(text[at + word.size()]);
        if (!before && !after)
            return true;
    }
    return false;
}

// Both programs speak the language that /lang or --lang names, whatever the
// user's: in English exactly what they always printed; in Chinese the same
// messages with every switch, argument and word that scripts read kept as
// it is, and the usage in lines an 80-column console holds; the same as a
// Chinese user's locale gives.
TEST(ProgramLanguageTest, LangZhSpeaksChineseAndLangEnTheEnglishOfBothPrograms)
{
    enum class Program { Veilmark, Offline };
    struct Case {
        Program program;
        std::vector<std::string> words;  // after the language's switch
        int exitCode;                    // 0: the usage
        std::string english;             // all the English run prints; of the usage, its beginning
        std::vector<std::string> kept;   // besides the switches: words that stay in Chinese
    };
    const std::string title = VEILMARK_TITLE "\n";
    const std::string hint = "veilmark.exe /? shows the usage.\n";
    const std::string offlineHint = "veilmark-offline --help shows the usage.\n";
    const Case cases[] = {
        {Program::Veilmark, {"/frobnicate"}, run::kExitError, "veilmark: unknown switch /frobnicate\n" + hint, {}},
        {Program::Veilmark, {"/apply"}, run::kExitError, "veilmark: /apply needs a selection\n" + hint, {}},
        {Program::Veilmark, {"/export", "expert"}, run::kExitError,
         "veilmark: /export needs the name of the .reg file to write\n" + hint, {".reg"}},
        {Program::Veilmark, {"/apply", "mine.txt"}, run::kExitError,
         "veilmark: mine.txt, line 2: unknown option key \"NoSuchThing\"\n", {"mine.txt", "2", "NoSuchThing"}},
        {Program::Veilmark, {"/?"}, run::kExitSuccess,
         title + "Switches off the features of Windows XP that report to the vendor, go online\n",
         {"off", "on", "unknown", "done", "needs a person", "recommended", "expert", "zh|de|en", "UTF-8",
          "%APPDATA%\\Veilmark\\Backups", "start /wait veilmark.exe /status", "Messenger"}},
        {Program::Offline, {"--root", "/x"}, run::kExitError,
         "veilmark-offline: a command is missing: status, apply, restore, revert or backups\n" + offlineHint,
         {"status", "apply", "restore", "revert", "backups"}},
        {Program::Offline, {"--root", "/x", "stat"}, run::kExitError,
         "veilmark-offline: unknown command stat: status, apply, restore, revert or backups\n" + offlineHint,
         {"stat", "status", "apply", "restore", "revert", "backups"}},
        {Program::Offline, {"apply"}, run::kExitError, "veilmark-offline: apply needs a selection\n" + offlineHint,
         {"apply"}},
        {Program::Offline, {"status", "--frob"}, run::kExitError,
         "veilmark-offline: unknown option --frob\n" + offlineHint, {}},
        {Program::Offline, {"--root", "/no/such/drive", "status"}, run::kExitError,
         "veilmark-offline: no folder in /no/such/drive holds system32/config/software: is it the root of a "
         "Windows drive?\n",
         {"/no/such/drive", "system32/config/software"}},
        {Program::Offline, {"--help"}, run::kExitSuccess,
         title + "Switches off, in a Windows XP installation that is not running, the features\n",
         {"status", "apply", "restore", "revert", "backups", "[machine]", "Default User", "zh|de|en",
          "Application Data\\Veilmark\\Backups", "needs the running system", "MessengerUninstall",
          "RemoveSupportUsers", "SUPPORT_388945a0", "HelpAssistant", "lusrmgr.msc", "veilmark.exe"}},
    };
    const std::regex switches(R"((^|[\s\[(])((/|--)[a-z?][a-z-]*))");
    struct Printed {
        int exitCode;
        std::string text;  // its output and errors
    };
    const auto run = [](const Case& c, std::optional<std::string> tag, Language user) {
        MemoryConsole console;
        std::vector<std::string> words = c.words;
        if (tag)
            words.insert(words.begin(), {c.program == Program::Veilmark ? "/lang" : "--lang", *tag});
        int exitCode = -1;
        if (c.program == Program::Veilmark) {
            MemoryMainDlg m(user);
            m.files.Put("mine.txt", "NoErrorReporting\r\nNoSuchThing\r\n");
            cli::CommandLineServices services = m.CommandLine(console);
            exitCode = cli::RunCommandLine(words, services);
        } else {
            MemoryClock clock;
            BuiltinStringTable strings;
            offline::OfflineServices services{console, clock, strings, user, nullptr, nullptr};
            exitCode = offline::Run(words, services);
        }
        return Printed{exitCode, console.Output() + console.Errors()};
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.words.back());
        // A German user: only the switch makes it English or Chinese.
        const Printed english = run(c, "en", Language::German);
        const Printed chinese = run(c, "zh", Language::German);
        EXPECT_EQ(c.exitCode, english.exitCode);
        EXPECT_EQ(c.exitCode, chinese.exitCode);
        if (c.exitCode == run::kExitError) {
            EXPECT_EQ(c.english, english.text);
        } else {
            EXPECT_EQ(0u, english.text.find(c.english)) << english.text;
        }
        EXPECT_EQ(run(c, std::nullopt, Language::Chinese).text, chinese.text) << "as a Chinese locale gives it";

        std::istringstream lines(chinese.text);
        std::string line;
        for (int number = 1; std::getline(lines, line); ++number) {
            if (c.exitCode == run::kExitSuccess) {
                EXPECT_LE(Columns(line), 80u) << line;
            }
            if (c.exitCode == run::kExitError || number == 2) {
                EXPECT_TRUE(HasCjk(line)) << "not in Chinese: " << line;
            }
        }
        EXPECT_FALSE(std::regex_search(chinese.text, std::regex("%[1-9]"))) << chinese.text;
        std::vector<std::string> kept = c.kept;
        for (std::sregex_iterator at(english.text.begin(), english.text.end(), switches), end; at != end; ++at)
            kept.push_back((*at)[2]);
        // A phrase may be broken over two lines.
        const auto flat = [](const std::string& text) { return std::regex_replace(text, std::regex("[ \n]+"), " "); };
        for (const std::string& word : kept) {
            EXPECT_TRUE(HasWord(flat(english.text), word)) << word << " in\n" << english.text;
            EXPECT_TRUE(HasWord(flat(chinese.text), word)) << word << " in\n" << chinese.text;
        }
    }
}
}  // namespace
