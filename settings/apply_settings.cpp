#include "settings/apply_settings.h"

#include <utility>

namespace settings {

namespace {

using K = OptionKey;

enum class Action {
    WriteNumber,     // the option's REG_DWORD value
    WriteZeroByte,   // the option's REG_BINARY value: one byte 0x00
    WriteText,       // the option's REG_SZ value, with its zero
    DeleteKey,       // the option's key, as a subkey of its parent
    DeleteValue,     // the option's value
    RemoveMessenger,
    OpenUserManager,
};

struct ApplyStep {
    OptionKey key;  // the registry value is the option's catalogue binding
    Action action;
    std::uint32_t number;
    const char* text;
    std::int32_t labelNumber;
};

// In the order the pass runs.
constexpr ApplyStep kApplySteps[] = {
    {K::NoLicenceAcquisition, Action::WriteZeroByte, 0, nullptr, 0},
    {K::NoPlayerIdentification, Action::WriteZeroByte, 0, nullptr, 1},
    {K::NoCodecDownload, Action::WriteZeroByte, 0, nullptr, 2},
    {K::NoErrorReporting, Action::WriteNumber, 0, nullptr, 3},
    {K::NoCriticalErrorReporting, Action::WriteNumber, 0, nullptr, 4},
    {K::NoRemoteAssistance, Action::WriteNumber, 0, nullptr, 5},
    {K::NoIeScheduledUpdates, Action::WriteNumber, 1, nullptr, 6},
    {K::NoIeUpdateCheck, Action::WriteNumber, 1, nullptr, 7},
    {K::NoInternetTimeSync, Action::WriteText, 0, "NoSync", 8},
    {K::NoIntegratedAuth, Action::WriteNumber, 0, nullptr, 9},
    {K::RemoveAlexaEntry, Action::DeleteKey, 0, nullptr, -1},
    {K::DisableErrorReportingService, Action::WriteNumber, 4, nullptr, 11},
    {K::DisableAutoUpdateService, Action::WriteNumber, 4, nullptr, 12},
    {K::DisableTimeService, Action::WriteNumber, 4, nullptr, 13},
    {K::DisableTaskSchedulerService, Action::WriteNumber, 4, nullptr, 13},
    {K::MessengerNoAutostart, Action::DeleteValue, 0, nullptr, -1},
    {K::MessengerUninstall, Action::RemoveMessenger, 0, nullptr, -1},
    {K::RemoveSupportUsers, Action::OpenUserManager, 0, nullptr, -1},
};

constexpr const char* kCheckQuestion = "已套用您選擇的「設定值」，請問您現在是否要\n檢查「系統狀態」？";

// Whether the settings that the Media Player run makes are in effect.
bool PlayerConfigured(RegistryOps& registry)
{
    const RegistryBinding& binding = CatalogueEntryOf(K::NoLicenceAcquisition).binding;
    return registry.TestValue(binding.root, binding.keyPath, binding.valueName, kRegBinary, 0, "") == 1;
}

// The data a write step stores.
std::vector<std::uint8_t> StepData(const ApplyStep& step)
{
    switch (step.action) {
    case Action::WriteNumber:
        return DwordBytes(step.number);
    case Action::WriteZeroByte:
        return {0};
    case Action::WriteText:
        return TextBytes(step.text);
    default:
        return {};
    }
}

bool IsWrite(Action action)
{
    return action == Action::WriteNumber || action == Action::WriteZeroByte || action == Action::WriteText;
}

// A key path split at its last backslash: the parent and the subkey.
std::pair<std::string_view, std::string_view> SplitKeyPath(std::string_view path)
{
    const std::size_t slash = path.rfind('\\');
    return {path.substr(0, slash), path.substr(slash + 1)};
}

// Carries out one registry step: 0, or the code of its failure.
std::int32_t RunRegistryStep(RegistryOps& registry, const ApplyStep& step)
{
    const RegistryBinding& binding = CatalogueEntryOf(step.key).binding;
    if (step.action == Action::DeleteKey) {
        const auto [parent, subkey] = SplitKeyPath(binding.keyPath);
        return registry.DeleteKey(binding.root, parent, subkey) == 0
                   ? 0
                   : registry.WhyKeyNotDeleted(binding.root, parent, subkey);
    }
    if (step.action == Action::DeleteValue)
        return registry.DeleteValue(binding.root, binding.keyPath, binding.valueName) == 0
                   ? 0
                   : registry.WhyNotDeleted(binding.root, binding.keyPath, binding.valueName);
    const std::vector<std::uint8_t> data = StepData(step);
    if (registry.WriteValue(binding.root, binding.keyPath, binding.valueName, data.data(), binding.type,
                            static_cast<std::uint32_t>(data.size()), step.labelNumber) == 0)
        return 0;
    return registry.LastWrite().code;
}

bool PlayerOptionSelected(const Selection& selection)
{
    return selection[K::NoLicenceAcquisition] || selection[K::NoPlayerIdentification] ||
           selection[K::NoCodecDownload];
}

}  // namespace

std::vector<StepResult> ApplySettings(RegistryOps& registry, const Selection& selection, bool homeEdition,
                                      IApplyActions& actions, const OptionLabels& labels)
{
    std::vector<StepResult> results;
    if (PlayerOptionSelected(selection) && !PlayerConfigured(registry))
        results.push_back(actions.ConfigureMediaPlayer());

    for (const ApplyStep& step : kApplySteps) {
        if (!selection[step.key])
            continue;
        if (step.action == Action::RemoveMessenger) {
            results.push_back(actions.RemoveMessenger());
        } else if (step.action == Action::OpenUserManager) {
            if (!homeEdition)
                results.push_back(actions.OpenUserManager());
        } else if (const std::int32_t code = RunRegistryStep(registry, step); code != 0) {
            results.push_back({step.key, StepOutcome::Failed, WriteResultLine(code, labels.Of(step.key))});
        } else {
            results.push_back({step.key, StepOutcome::Done, {}});
        }
    }
    return results;
}

std::vector<std::string> FailureLines(const std::vector<StepResult>& results)
{
    std::vector<std::string> lines;
    for (const StepResult& result : results)
        if (result.outcome == StepOutcome::Failed)
            lines.push_back(result.line);
    return lines;
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
        programStep(K::MediaPlayerGroup,
                    "the pass first runs Windows Media Player once, unless SilentAcquisition is already in effect");
    for (const ApplyStep& step : kApplySteps) {
        if (!selection[step.key])
            continue;
        const RegistryBinding& binding = CatalogueEntryOf(step.key).binding;
        if (IsWrite(step.action))
            file.SetValue(binding.root, binding.keyPath, binding.valueName, binding.type, StepData(step));
        else if (step.action == Action::DeleteValue)
            file.DeleteValue(binding.root, binding.keyPath, binding.valueName);
        else if (step.action == Action::DeleteKey)
            file.DeleteKey(binding.root, binding.keyPath);
        else if (step.action == Action::RemoveMessenger)
            programStep(step.key, "the pass uninstalls Messenger with RunDll32.exe advpack.dll,LaunchINFSection "
                                  "%SystemRoot%\\INF\\msmsgs.inf,BLC.Remove");
        else if (step.action == Action::OpenUserManager)
            programStep(step.key, "a person removes the support accounts in Local Users and Groups (lusrmgr.msc)");
    }
}

std::vector<BackupTarget> ApplyTargets(const Selection& selection)
{
    std::vector<BackupTarget> targets;
    for (const ApplyStep& step : kApplySteps) {
        if (!selection[step.key] || !(IsWrite(step.action) || step.action == Action::DeleteValue ||
                                      step.action == Action::DeleteKey))
            continue;
        const RegistryBinding& binding = CatalogueEntryOf(step.key).binding;
        targets.push_back({binding.root, binding.keyPath, binding.valueName, step.action == Action::DeleteKey});
    }
    return targets;
}

bool AskToCheckStatus(IPrompt& prompt, const std::vector<std::string>& failures)
{
    // Saying "applied" alone after failed writes would hide the failure.
    std::string text;
    for (const std::string& failure : failures)
        text += failure + "\n";
    if (!text.empty())
        text += "\n";
    text += std::string(kCheckQuestion) + std::string(23, ' ');
    return prompt.Show(text, kPromptYesNo | kPromptIconQuestion) == kAnswerYes;
}

}  // namespace settings
