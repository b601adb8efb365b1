#include "settings/status_check.h"

#include <iterator>

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

static_assert(std::size(kStatusSteps) == settings::kTestedOptionCount);

}  // namespace

namespace settings {

SystemStatus ReadSystemStatus(RegistryOps& registry)
{
    SystemStatus status{};
    for (std::size_t i = 0; i < kTestedOptionCount; ++i) {
        const StatusStep& step = kStatusSteps[i];
        const RegistryBinding& binding = CatalogueEntryOf(step.key).binding;
        const std::int32_t result = registry.TestValue(binding.root, binding.keyPath, binding.valueName,
                                                       binding.type, step.expectedNumber, step.expectedText);
        OptionState state = OptionState::On;
        switch (step.rule) {
        case StatusRule::Standard:
            state = result == 1 ? OptionState::Off : result == 2 ? OptionState::Unknown : OptionState::On;
            break;
        case StatusRule::ExpertOffWhenEqual:
            state = result == 1 ? OptionState::Off : OptionState::On;
            break;
        case StatusRule::ExpertOffWhenGone:
        case StatusRule::Messenger:
            // Gone only when really absent: a key that will not open or a
            // value too long to read may still be there.
            if (result != 2)
                state = OptionState::On;
            else if (registry.IsAbsent(binding.root, binding.keyPath, binding.valueName))
                state = OptionState::Off;
            else
                state = OptionState::Unknown;
            break;
        }
        status[i] = {step.key, state};
    }
    return status;
}

void CheckSystemStatus(RegistryOps& registry, CTreeOptionsCtrl& tree, const OptionItems& items)
{
    // The status comes in the order of the steps.
    const SystemStatus status = ReadSystemStatus(registry);
    for (std::size_t i = 0; i < kTestedOptionCount; ++i) {
        const OptionStatus& option = status[i];
        const TreeItem item = items.Of(option.key);
        const StatusRule rule = kStatusSteps[i].rule;
        const bool off = option.state == OptionState::Off;
        if (rule == StatusRule::Messenger) {
            // Only a missing value acts: the radio can no longer be chosen.
            if (off) {
                tree.SelectRadioByIndex(items.Of(K::MessengerGroup), 0);
                tree.SetRadioEnabled(item, 0);
            }
            continue;
        }
        BOOL enabled = 0;
        if (rule != StatusRule::Standard)
            tree.IsCheckEnabled(item, enabled);
        if (off) {
            tree.SetCheckState(item, 1);
            tree.SetCheckEnabled(item, 0);
        } else if (rule == StatusRule::Standard || enabled) {
            // An expert option the user has not enabled stays locked.
            tree.SetItemImage(item, ImgActive);
        }
    }
}

}  // namespace settings
