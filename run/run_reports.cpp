#include "run/run_reports.h"

#include "lang/texts.h"
#include "settings/platform_facts.h"
#include "settings/profile.h"
#include "settings/reg_file.h"
#include "settings/reg_import.h"
#include "settings/revert.h"
#include "settings/status_check.h"
#include "settings/text.h"

namespace run {

namespace {

// What a step did, as its line of the report says it: words that scripts
// read, the same in every language, or why it failed.
std::string Outcome(const settings::StepResult& result, const OptionLabels& labels)
{
    switch (result.outcome) {
    case settings::StepOutcome::Failed:
        if (result.policy.Decides())
            return Text(result.policy.force == PolicyForce::KeepsOn ? TextId::KeptOnByPolicy : TextId::KeptOffByPolicy,
                        labels.language());
        return settings::FailureLine(result, labels);
    case settings::StepOutcome::NeedsPerson:
        return "needs a person";
    case settings::StepOutcome::NeedsRunningSystem:
        return "needs the running system";
    case settings::StepOutcome::Done:
        break;
    }
    return "done";
}

}  // namespace

bool ResolveSelection(const std::string& name, IFiles& files, bool homeEdition, Language language,
                      settings::Selection& selection, std::string& error)
{
    if (EqualsIgnoringCase(name, "recommended")) {
        selection = settings::Selection::Recommended(homeEdition);
        return true;
    }
    if (EqualsIgnoringCase(name, "expert")) {
        selection = settings::Selection::Expert(homeEdition);
        return true;
    }
    std::vector<std::uint8_t> bytes;
    std::string reason;
    if (!files.Read(name, bytes, reason)) {
        error = Text(TextId::CannotReadProfile, language, {name, reason});
        return false;
    }
    const settings::ProfileResult profile = settings::ParseProfile(
        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), language);
    if (profile.errorLine != 0) {
        error = Text(TextId::ErrorInLine, language, {name, std::to_string(profile.errorLine), profile.error});
        return false;
    }
    selection = profile.selection;
    return true;
}

int AddStatusLines(Report& report, IRegistry& registry, const IVersionInfo& version, const OptionLabels& labels)
{
    RegistryOps ops(registry);
    const settings::SystemStatus status = settings::ReadSystemStatus(ops);
    report.Line({SystemDescription(registry, version, labels.language())});
    bool anyOn = false;
    bool anyUnknown = false;
    // In the tree's order, which groups related options.
    for (const CatalogueEntry& entry : Catalogue()) {
        for (const settings::OptionStatus& option : status) {
            if (option.key != entry.key)
                continue;
            const char* state = option.state == settings::OptionState::Off  ? "off"
                                : option.state == settings::OptionState::On ? "on"
                                                                            : "unknown";
            anyOn |= option.state == settings::OptionState::On;
            anyUnknown |= option.state == settings::OptionState::Unknown;
            // A fourth field where a policy decides, so that every other
            // line stays as scripts read it.
            if (option.byPolicy)
                report.Line({entry.name, labels.Of(entry.key), state, "policy"});
            else
                report.Line({entry.name, labels.Of(entry.key), state});
        }
    }
    return anyOn ? kExitNotAllDone : anyUnknown ? kExitUnknown : kExitSuccess;
}

void AddSectionHeader(Report& report, std::string_view name) { report.Line({"[" + std::string(name) + "]"}); }

bool AddPassSection(Report& report, std::string_view name, std::string_view backup,
                    const std::vector<settings::StepResult>& results, const OptionLabels& labels)
{
    if (!name.empty())
        AddSectionHeader(report, name);
    if (!backup.empty())
        report.Line({"Backup", backup});
    bool anyFailed = false;
    for (const settings::StepResult& result : results) {
        anyFailed |= result.outcome == settings::StepOutcome::Failed;
        report.Line({CatalogueEntryOf(result.key).name, labels.Of(result.key), Outcome(result, labels)});
    }
    return anyFailed;
}

int RevertBackup(const std::string& path, IRegistry& registry, const IVersionInfo& version, IFiles& files,
                 Language language, Report& report, std::string& error)
{
    std::vector<std::uint8_t> bytes;
    std::string reason;
    if (!files.Read(path, bytes, reason)) {
        error = Text(TextId::CannotReadFile, language, {path, reason});
        return kExitError;
    }
    const settings::ParsedRegFile file = settings::ParseRegFile(bytes, language);
    if (file.errorLine != 0) {
        error = Text(TextId::ErrorInLine, language, {path, std::to_string(file.errorLine), file.error});
        return kExitError;
    }
    if (const int line = settings::CheckRevertable(file.entries, reason, language); line != 0) {
        error = Text(TextId::NothingImported, language, {path, std::to_string(line), reason});
        return kExitError;
    }
    report.Line({SystemDescription(registry, version, language)});
    bool anyFailed = false;
    for (const settings::RevertResult& result : settings::Revert(registry, file.entries, language)) {
        const settings::RegEntry& entry = *result.entry;
        const std::string key = FullKeyName(entry.root, entry.keyPath);
        report.Line({key, entry.name.empty() ? std::string_view("@") : std::string_view(entry.name), result.outcome});
        anyFailed |= !result.done;
    }
    return anyFailed ? kExitNotAllDone : kExitSuccess;
}

}  // namespace run
