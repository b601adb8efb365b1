// Group Policy over the options, on every policy value of the catalogue:
// no policy, one that keeps the feature on, one that keeps it off, one of
// the wrong type; the preference on or off. The status check, /status,
// /apply and /restore (in English, as a script reads them) and the
// dialog's failure line must all tell what Windows would do, and the
// policy value must never change.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/memory/memory_console.h"
#include "run/exit_codes.h"
#include "settings/policy.h"
#include "settings/status_check.h"
#include "tests/memory_main_dlg.h"

namespace {

enum class Setting { None, KeepsOn, KeepsOff, WrongType };

const char* NameOf(Setting setting)
{
    constexpr const char* kNames[] = {"no policy", "keeps on", "keeps off", "wrong type"};
    return kNames[static_cast<int>(setting)];
}

// The first datum of a '|'-separated list.
std::string FirstOf(const char* list)
{
    const std::string_view all = list;
    return std::string(all.substr(0, all.find('|')));
}

// The value a policy setting stores; nothing for none, or for a force the
// policy does not have.
std::optional<RegistryValue> PolicyData(const PolicyValue& policy, Setting setting)
{
    const char* list = setting == Setting::KeepsOn    ? policy.forcesOn
                       : setting == Setting::KeepsOff ? policy.forcesOff
                                                      : nullptr;
    if (setting == Setting::WrongType) {
        // Data that would force it off, stored as the other type.
        const std::string data = FirstOf(policy.forcesOff ? policy.forcesOff : policy.forcesOn);
        if (policy.type == kRegDword)
            return RegistryValue{kRegSz, TextBytes(data)};
        return RegistryValue{kRegDword, DwordBytes(0)};
    }
    if (!list)
        return std::nullopt;
    if (policy.type == kRegDword)
        return RegistryValue{kRegDword, DwordBytes(static_cast<std::uint32_t>(std::stoul(FirstOf(list))))};
    return RegistryValue{kRegSz, TextBytes(FirstOf(list))};
}

// The option's own value with its feature on (its Windows default) or off
// (what Start writes).
void PutPreference(MemoryRegistry& registry, const CatalogueEntry& entry, bool on)
{
    const RegistryBinding& binding = entry.binding;
    const ApplyStep& apply = entry.apply;
    if (apply.action == ApplyAction::DeleteValue) {
        registry.PutText(binding.root, binding.keyPath, binding.valueName, "msmsgs.exe /background");
        if (!on) {
            const ScopedRegKey key(registry, binding.root, binding.keyPath, kKeyAllAccess);
            registry.DeleteValue(key.Get(), binding.valueName);
        }
        return;
    }
    if (apply.action == ApplyAction::WriteZeroByte)
        registry.Put(binding.root, binding.keyPath, binding.valueName, kRegBinary, {static_cast<std::uint8_t>(on)});
    else if (apply.action == ApplyAction::WriteText)
        registry.PutText(binding.root, binding.keyPath, binding.valueName, on ? entry.restore.text : apply.text);
    else
        registry.Put(binding.root, binding.keyPath, binding.valueName, kRegDword,
                     DwordBytes(on ? entry.restore.number : apply.number));
}

// The line of `option` in a report, or "" when it has none.
std::string LineOf(const std::string& report, const CatalogueEntry& entry)
{
    const std::string start = std::string(entry.name) + "\t";
    const std::size_t at = report.find("\n" + start);
    if (at == std::string::npos)
        return {};
    return report.substr(at + 1, report.find('\n', at + 1) - at - 1);
}

struct Finished {
    int exitCode;
    std::string output;
};

Finished RunCommand(MemoryMainDlg& m, std::vector<std::string> words)
{
    MemoryConsole console;
    cli::CommandLineServices services = m.CommandLine(console);
    words.insert(words.begin(), {"/lang", "en"});
    const int exitCode = cli::RunCommandLine(words, services);
    return {exitCode, console.Output() + console.Errors()};
}

TEST(PolicyTest, APolicyDecidesTheStateAndUndoesTheStepsItOverrides)
{
    const OptionLabels english{BuiltinStringTable(), LanguageBaseOf(Language::English)};
    int cases = 0;
    for (const CatalogueEntry& entry : Catalogue()) {
        for (const PolicyValue& policy : entry.policy.Values()) {
            for (Setting setting : {Setting::None, Setting::KeepsOn, Setting::KeepsOff, Setting::WrongType}) {
                const std::optional<RegistryValue> data = PolicyData(policy, setting);
                if (!data && setting != Setting::None)
                    continue;  // the policy has no such force
                for (bool preferenceOn : {true, false}) {
                    SCOPED_TRACE(std::string(entry.name) + ", " + policy.valueName +
                                 (policy.root == RegistryRoot::CurrentUser ? " (user), " : " (machine), ") +
                                 NameOf(setting) + ", preference " + (preferenceOn ? "on" : "off"));
                    ++cases;
                    MemoryMainDlg m(Language::English);
                    m.PutEverythingOn();
                    PutPreference(m.registry, entry, preferenceOn);
                    if (data)
                        m.registry.Put(policy.root, policy.keyPath, policy.valueName, data->type, data->data);
                    const bool forced = setting == Setting::KeepsOn || setting == Setting::KeepsOff;
                    const bool on = setting == Setting::KeepsOn || (!forced && preferenceOn);

                    // The status check and /status.
                    RegistryOps ops(m.registry);
                    for (const settings::OptionStatus& status : settings::ReadSystemStatus(ops)) {
                        if (status.key != entry.key)
                            continue;
                        EXPECT_EQ(on ? settings::OptionState::On : settings::OptionState::Off, status.state);
                        EXPECT_EQ(forced, status.byPolicy);
                    }
                    const std::string line = std::string(entry.name) + "\t" + english.Of(entry.key) + "\t" +
                                             (on ? "on" : "off") + (forced ? "\tpolicy" : "");
                    EXPECT_EQ(line, LineOf(RunCommand(m, {"/status"}).output, entry));

                    // /apply of this option alone: written all the same, and
                    // a failure where a policy keeps the feature on.
                    m.files.Put("this.txt", entry.name);
                    const Finished apply = RunCommand(m, {"/apply", "this.txt"});
                    const bool keptOn = setting == Setting::KeepsOn;
                    EXPECT_EQ(keptOn ? run::kExitNotAllDone : run::kExitSuccess, apply.exitCode) << apply.output;
                    EXPECT_EQ(std::string(entry.name) + "\t" + english.Of(entry.key) + "\t" +
                                  (keptOn ? "kept on by a policy" : "done"),
                              LineOf(apply.output, entry));
                    RegistryOps after(m.registry);
                    const RegistryBinding& binding = entry.binding;
                    if (entry.apply.action != ApplyAction::DeleteValue) {
                        EXPECT_EQ(TestResult::Equals,
                                  after.TestValue(binding.root, binding.keyPath, binding.valueName, binding.type,
                                                  entry.status.number, entry.status.text))
                            << "the preference is written all the same";
                    }

                    // /restore: a failure where a policy keeps the feature off.
                    if (entry.places.restore != kOutOfPass) {
                        const Finished restore = RunCommand(m, {"/restore"});
                        const bool keptOff = setting == Setting::KeepsOff;
                        EXPECT_EQ(keptOff ? run::kExitNotAllDone : run::kExitSuccess, restore.exitCode);
                        EXPECT_EQ(std::string(entry.name) + "\t" + english.Of(entry.key) + "\t" +
                                      (keptOff ? "kept off by a policy" : "done"),
                                  LineOf(restore.output, entry));
                    }

                    // The policy is read, never written.
                    const std::optional<RegistryValue> stored =
                        m.registry.Get(policy.root, policy.keyPath, policy.valueName);
                    ASSERT_EQ(data.has_value(), stored.has_value());
                    if (data) {
                        EXPECT_EQ(data->data, stored->data);
                    }
                }
            }
        }
    }
    // The twelve policy values of eight options: five with both forces, seven
    // that only keep a feature off; each also unset and of the wrong type.
    EXPECT_EQ(2 * (5 * 4 + 7 * 3), cases);
}

TEST(PolicyTest, TheDialogNamesThePolicyAsGpeditShowsItInTheUsersLanguage)
{
    const CatalogueEntry& entry = CatalogueEntryOf(OptionKey::NoErrorReporting);
    const PolicyValue& policy = entry.policy.Values().front();
    const struct {
        Language language;
        std::string line;
    } cases[] = {
        {Language::English,
         "Turn off error reporting: [kept on by a policy: Computer Configuration\\Administrative Templates\\System\\"
         "Error Reporting\\Report Errors]"},
        {Language::Chinese, "停用錯誤報告:[ 群組原則使其保持開啟：電腦設定\\系統管理範本\\系統\\錯誤報告\\回報錯誤 ]"},
    };
    for (const auto& c : cases) {
        MemoryMainDlg m(c.language);
        m.PutEverythingOn();
        m.registry.Put(policy.root, policy.keyPath, policy.valueName, kRegDword, DwordBytes(1));
        m.dialog.SetLanguageBase(LanguageBaseOf(c.language));
        m.dialog.SetHomeEdition(0);
        m.dialog.BuildOptionTree();
        m.prompt.Answer(kAnswerYes);
        m.dialog.OnStart();
        const std::string question = m.prompt.History().front().text;
        EXPECT_EQ(0u, question.find(c.line + "\n")) << question;
        EXPECT_EQ(12, m.Image(OptionKey::NoErrorReporting)) << "still on after Start and its status check";
    }
}

}  // namespace
