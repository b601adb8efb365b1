#include "settings/restore_defaults.h"

#include <string>
#include <vector>

namespace {

using K = OptionKey;

struct RestoreStep {
    OptionKey key;       // the registry value is the option's catalogue binding
    bool deleteValue;    // else write `number` or `text`
    std::uint32_t number;
    const char* text;
    std::int32_t labelNumber;
};

// In the order the restore runs.
constexpr RestoreStep kRestoreSteps[] = {
    {K::NoLicenceAcquisition, true, 0, nullptr, -1},
    {K::NoPlayerIdentification, true, 0, nullptr, -1},
    {K::NoCodecDownload, true, 0, nullptr, -1},
    {K::NoErrorReporting, false, 1, nullptr, 3},
    {K::NoCriticalErrorReporting, false, 1, nullptr, 4},
    {K::NoRemoteAssistance, false, 1, nullptr, 5},
    {K::NoIeScheduledUpdates, false, 0, nullptr, 6},
    {K::NoIeUpdateCheck, false, 0, nullptr, 7},
    {K::NoInternetTimeSync, false, 0, "Ntp", 8},
    {K::NoIntegratedAuth, false, 1, nullptr, 9},
    {K::DisableErrorReportingService, false, 2, nullptr, 11},
    {K::DisableAutoUpdateService, false, 2, nullptr, 12},
    {K::DisableTimeService, false, 2, nullptr, 13},
    {K::DisableTaskSchedulerService, false, 2, nullptr, 13},
};

constexpr const char* kRestoreQuestion =
    "恢復所有設定值表示，所有功能都會「恢復」為剛安裝完 Windows XP 時的初始狀態。\n"
    "這並不會影響 MS Messenger Alexa 與 MS 支援使用者，因此您必須手動將它們刪除。\n"
    "您要繼續嗎？";
constexpr const char* kRestoreDone = "已恢復為初始設定值！        ";

// The data of a write: a text with its terminating zero, or a 4-byte number.
std::vector<std::uint8_t> StepData(const RestoreStep& step)
{
    return step.text ? TextBytes(step.text) : DwordBytes(step.number);
}

}  // namespace

namespace settings {

bool ConfirmRestore(IPrompt& prompt)
{
    const std::string question = std::string(kRestoreQuestion) + std::string(84, ' ');
    return prompt.Show(question, kPromptOkCancel) != kAnswerCancel;
}

void RestoreDefaults(RegistryOps& registry, IPrompt& prompt, const OptionLabels& labels)
{
    // What could not be restored, one result line each, for the final box:
    // saying "restored" alone after failed writes would hide the failure.
    std::vector<std::string> failures;
    for (const RestoreStep& step : kRestoreSteps) {
        const RegistryBinding& binding = CatalogueEntryOf(step.key).binding;
        if (step.deleteValue) {
            if (registry.DeleteValue(binding.root, binding.keyPath, binding.valueName) != 0) {
                // A value that is not there is restored already.
                const std::int32_t code = registry.WhyNotDeleted(binding.root, binding.keyPath, binding.valueName);
                if (code != 0)
                    failures.push_back(WriteResultLine(code, labels.Of(step.key)));
            }
            continue;
        }
        const std::vector<std::uint8_t> data = StepData(step);
        if (registry.WriteValue(binding.root, binding.keyPath, binding.valueName, data.data(), binding.type,
                                static_cast<std::uint32_t>(data.size()), step.labelNumber) != 0)
            failures.push_back(WriteResultLine(registry.LastWrite().code, labels.Of(step.key)));
    }

    std::string message = kRestoreDone;
    for (const std::string& failure : failures)
        message += "\n" + failure;
    prompt.Show(message, kPromptOk);
}

std::vector<BackupTarget> RestoreTargets()
{
    std::vector<BackupTarget> targets;
    for (const RestoreStep& step : kRestoreSteps) {
        const RegistryBinding& binding = CatalogueEntryOf(step.key).binding;
        targets.push_back({binding.root, binding.keyPath, binding.valueName});
    }
    return targets;
}

}  // namespace settings
