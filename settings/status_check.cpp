#include "settings/status_check.h"

#include "treeopts/state_image.h"

namespace {

using K = OptionKey;

enum class StatusRule {
    Standard,           // equal: done (5); otherwise active (12)
    ExpertOffWhenGone,  // expert option, switched off when the value is missing
    ExpertOffWhenEqual, // expert option, switched off when the value is equal
    Messenger,          // radio: a missing value disables it
};

struct StatusStep {
    OptionKey key;
    std::uint32_t expectedNumber;
    const char* expectedText;  // null: any text counts as present
    StatusRule rule;
};

// In the order the check runs; the value tested is the option's catalogue binding.
constexpr StatusStep kStatusSteps[] = {
    {K::NoLicenceAcquisition, 0, "", StatusRule::Standard},
    {K::NoPlayerIdentification, 0, "", StatusRule::Standard},
    {K::NoCodecDownload, 0, "", StatusRule::Standard},
    {K::NoErrorReporting, 0, nullptr, StatusRule::Standard},
    {K::NoCriticalErrorReporting, 0, nullptr, StatusRule::Standard},
    {K::DisableErrorReportingService, 4, nullptr, StatusRule::Standard},
    {K::DisableAutoUpdateService, 4, nullptr, StatusRule::Standard},
    {K::DisableTimeService, 4, nullptr, StatusRule::Standard},
    {K::RemoveAlexaEntry, 0, nullptr, StatusRule::ExpertOffWhenGone},
    {K::NoIeScheduledUpdates, 1, nullptr, StatusRule::Standard},
    {K::NoRemoteAssistance, 0, nullptr, StatusRule::Standard},
    {K::NoIeUpdateCheck, 1, nullptr, StatusRule::Standard},
    {K::NoInternetTimeSync, 0, "NoSync", StatusRule::Standard},
    {K::DisableTaskSchedulerService, 4, nullptr, StatusRule::ExpertOffWhenEqual},
    {K::NoIntegratedAuth, 0, nullptr, StatusRule::Standard},
    {K::MessengerNoAutostart, 0, nullptr, StatusRule::Messenger},
    {K::MessengerUninstall, 0, nullptr, StatusRule::Messenger},
};

}  // namespace

namespace settings {

void CheckSystemStatus(RegistryOps& registry, CTreeOptionsCtrl& tree, const OptionItems& items)
{
    for (const StatusStep& step : kStatusSteps) {
        const TreeItem item = items.Of(step.key);
        const RegistryBinding& binding = CatalogueEntryOf(step.key).binding;
        BOOL wasEnabled = 0;
        if (step.rule == StatusRule::ExpertOffWhenGone || step.rule == StatusRule::ExpertOffWhenEqual)
            tree.IsCheckEnabled(item, wasEnabled);

        const std::int32_t result = registry.TestValue(binding.root, binding.keyPath, binding.valueName,
                                                       binding.type, step.expectedNumber, step.expectedText);
        if (step.rule == StatusRule::Messenger) {
            if (result == 2) {
                tree.SelectRadioByIndex(items.Of(K::MessengerGroup), 0);
                tree.SetRadioEnabled(item, 0);
            }
            continue;
        }
        const bool switchedOff = step.rule == StatusRule::ExpertOffWhenGone ? result == 2 : result == 1;
        if (switchedOff) {
            tree.SetCheckState(item, 1);
            tree.SetCheckEnabled(item, 0);
        } else if (step.rule == StatusRule::Standard || wasEnabled) {
            // An expert option the user has not enabled stays locked.
            tree.SetItemImage(item, ImgActive);
        }
    }
}

}  // namespace settings
