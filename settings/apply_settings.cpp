#include "settings/apply_settings.h"

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

// Carries out one registry step: 0, or the code of its failure.
std::int32_t RunRegistryStep(RegistryOps& registry, const ApplyStep& step)
{
    const RegistryBinding& binding = CatalogueEntryOf(step.key).binding;
    std::vector<std::uint8_t> data;
    switch (step.action) {
    case Action::WriteNumber:
        data = DwordBytes(step.number);
        break;
    case Action::WriteZeroByte:
        data = {0};
        break;
    case Action::WriteText:
        data = TextBytes(step.text);
        break;
    case Action::DeleteKey: {
        const std::string_view path(binding.keyPath);
        const std::size_t slash = path.rfind('\\');
        const std::string_view parent = path.substr(0, slash);
        const std::string_view subkey = path.substr(slash + 1);
        return registry.DeleteKey(binding.root, parent, subkey) == 0 ? 0
                                                                     : registry.WhyKeyNotDeleted(binding.root, parent, subkey);
    }
    case Action::DeleteValue:
        return registry.DeleteValue(binding.root, binding.keyPath, binding.valueName) == 0
                   ? 0
                   : registry.WhyNotDeleted(binding.root, binding.keyPath, binding.valueName);
    default:
        return 0;
    }
    if (registry.WriteValue(binding.root, binding.keyPath, binding.valueName, data.data(), binding.type,
                            static_cast<std::uint32_t>(data.size()), step.labelNumber) == 0)
        return 0;
    return registry.LastWrite().code;
}

}  // namespace

Selection Selection::Of(const CTreeOptionsCtrl& tree, const OptionItems& items)
{
    Selection selection;
    for (const CatalogueEntry& entry : Catalogue()) {
        BOOL selected = 0;
        if (entry.kind == OptionKind::Check)
            tree.IsChecked(items.Of(entry.key), selected);
        else if (entry.kind == OptionKind::Radio)
            tree.IsRadioSelected(items.Of(entry.key), selected);
        selection.m_selected[static_cast<std::size_t>(entry.key)] = selected != 0;
    }
    return selection;
}

std::vector<std::string> ApplySettings(RegistryOps& registry, const Selection& selection, bool homeEdition,
                                       IApplyActions& actions, const OptionLabels& labels)
{
    if ((selection[K::NoLicenceAcquisition] || selection[K::NoPlayerIdentification] ||
         selection[K::NoCodecDownload]) &&
        !PlayerConfigured(registry))
        actions.ConfigureMediaPlayer();

    std::vector<std::string> failures;
    for (const ApplyStep& step : kApplySteps) {
        if (!selection[step.key])
            continue;
        if (step.action == Action::RemoveMessenger) {
            actions.RemoveMessenger();
        } else if (step.action == Action::OpenUserManager) {
            if (!homeEdition)
                actions.OpenUserManager();
        } else if (const std::int32_t code = RunRegistryStep(registry, step); code != 0) {
            failures.push_back(WriteResultLine(code, labels.Of(step.key)));
        }
    }
    return failures;
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
