#include "settings/apply_settings.h"

#include <algorithm>
#include <utility>

namespace settings {

namespace {

// Start runs Media Player once before it writes any option of its group.
constexpr OptionKey kPlayerGroup = OptionKey::MediaPlayerGroup;

bool IsPlayerOption(const CatalogueEntry& entry) { return entry.parent == kPlayerGroup && entry.key != kPlayerGroup; }

// The data a write step stores.
std::vector<std::uint8_t> StepData(const ApplyStep& step)
{
    switch (step.action) {
    case ApplyAction::WriteNumber:
        return DwordBytes(step.number);
    case ApplyAction::WriteZeroByte:
        return {0};
    case ApplyAction::WriteText:
        return TextBytes(step.text);
    default:
        return {};
    }
}

bool IsWrite(ApplyAction action)
{
    return action == ApplyAction::WriteNumber || action == ApplyAction::WriteZeroByte ||
           action == ApplyAction::WriteText;
}

bool IsRegistryStep(ApplyAction action)
{
    return IsWrite(action) || action == ApplyAction::DeleteValue || action == ApplyAction::DeleteKey;
}

// A key path split at its last backslash: the parent and the subkey.
std::pair<std::string_view, std::string_view> SplitKeyPath(std::string_view path)
{
    const std::size_t slash = path.rfind('\\');
    return {path.substr(0, slash), path.substr(slash + 1)};
}

// Carries out one registry step: Done, or the code of its failure.
WriteCode RunRegistryStep(RegistryOps& registry, const CatalogueEntry& entry)
{
    const RegistryBinding& binding = entry.binding;
    if (entry.apply.action == ApplyAction::DeleteKey) {
        const auto [parent, subkey] = SplitKeyPath(binding.keyPath);
        return registry.DeleteKey(binding.root, parent, subkey) ? WriteCode::Done
                                                                 : registry.WhyKeyNotDeleted(binding.root, parent, subkey);
    }
    if (entry.apply.action == ApplyAction::DeleteValue)
        return registry.DeleteValue(binding.root, binding.keyPath, binding.valueName)
                   ? WriteCode::Done
                   : registry.WhyNotDeleted(binding.root, binding.keyPath, binding.valueName);
    const std::vector<std::uint8_t> data = StepData(entry.apply);
    return registry.WriteValue(binding.root, binding.keyPath, binding.valueName, data.data(), binding.type,
                               static_cast<std::uint32_t>(data.size()));
}

// The group's first option: the status check finds it off once the run's
// settings are in effect.
const CatalogueEntry& FirstPlayerOption()
{
    return *std::find_if(Catalogue().begin(), Catalogue().end(), IsPlayerOption);
}

bool PlayerConfigured(RegistryOps& registry)
{
    const CatalogueEntry& entry = FirstPlayerOption();
    const RegistryBinding& binding = entry.binding;
    return registry.TestValue(binding.root, binding.keyPath, binding.valueName, binding.type, entry.status.number,
                              entry.status.text) == TestResult::Equals;
}

bool PlayerOptionSelected(const Selection& selection)
{
    for (const CatalogueEntry& entry : Catalogue())
        if (IsPlayerOption(entry) && selection[entry.key])
            return true;
    return false;
}

}  // namespace

std::vector<StepResult> ApplySettings(RegistryOps& registry, const Selection& selection, bool homeEdition,
                                      IApplyActions& actions)
{
    std::vector<StepResult> results;
    if (PlayerOptionSelected(selection) && !PlayerConfigured(registry))
        results.push_back(actions.ConfigureMediaPlayer());

    for (OptionKey key : OrderOf(Pass::Apply)) {
        if (!selection[key])
            continue;
        const CatalogueEntry& entry = CatalogueEntryOf(key);
        if (entry.apply.action == ApplyAction::RemoveMessenger) {
            results.push_back(actions.RemoveMessenger());
        } else if (entry.apply.action == ApplyAction::OpenUserManager) {
            if (!homeEdition)
                results.push_back(actions.OpenUserManager());
        } else if (const WriteCode code = RunRegistryStep(registry, entry); code != WriteCode::Done) {
            results.push_back({key, StepOutcome::Failed, code, {}});
        } else if (const PolicyDecision policy = ReadPolicy(registry.Registry(), entry);
                   policy.force == PolicyForce::KeepsOn) {
            // Written all the same: the preference holds again once the
            // policy goes.
            results.push_back(UndoneByPolicy(key, policy));
        } else {
            results.push_back(DoneStep(key));
        }
    }
    return results;
}

void ExportSettings(const Selection& selection, const OptionLabels& labels, RegFile& file)
{
    // "; NAME (label): what the pass does instead; a .reg file cannot run a program."
    const auto programStep = [&](OptionKey key, std::string_view what) {
        std::string remark(CatalogueEntryOf(key).name);
        remark += " (";
        remark += labels.Of(key);
        remark += "): ";
        remark += what;
        remark += "; a .reg file cannot run a program.";
        file.Comment(remark);
    };
    if (PlayerOptionSelected(selection))
        programStep(kPlayerGroup, "the pass first runs Windows Media Player once, unless " +
                                      std::string(FirstPlayerOption().binding.valueName) + " is already in effect");
    for (OptionKey key : OrderOf(Pass::Apply)) {
        if (!selection[key])
            continue;
        const CatalogueEntry& entry = CatalogueEntryOf(key);
        const RegistryBinding& binding = entry.binding;
        switch (entry.apply.action) {
        case ApplyAction::WriteNumber:
        case ApplyAction::WriteZeroByte:
        case ApplyAction::WriteText:
            file.SetValue(binding.root, binding.keyPath, binding.valueName, binding.type, StepData(entry.apply));
            break;
        case ApplyAction::DeleteValue:
            file.DeleteValue(binding.root, binding.keyPath, binding.valueName);
            break;
        case ApplyAction::DeleteKey:
            file.DeleteKey(binding.root, binding.keyPath);
            break;
        case ApplyAction::RemoveMessenger:
            programStep(key, "the pass uninstalls Messenger with RunDll32.exe advpack.dll,LaunchINFSection "
                             "%SystemRoot%\\INF\\msmsgs.inf,BLC.Remove");
            break;
        case ApplyAction::OpenUserManager:
            programStep(key, "a person removes the support accounts in Local Users and Groups (lusrmgr.msc)");
            break;
        case ApplyAction::None:
            break;
        }
    }
}

std::vector<BackupTarget> ApplyTargets(const Selection& selection)
{
    std::vector<BackupTarget> targets;
    for (OptionKey key : OrderOf(Pass::Apply)) {
        const CatalogueEntry& entry = CatalogueEntryOf(key);
        if (!selection[key] || !IsRegistryStep(entry.apply.action))
            continue;
        targets.push_back({entry.binding.root, entry.binding.keyPath, entry.binding.valueName,
                           entry.apply.action == ApplyAction::DeleteKey});
    }
    return targets;
}

}  // namespace settings
