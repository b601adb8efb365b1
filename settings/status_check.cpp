#include "settings/status_check.h"

#include "settings/policy.h"

namespace {

using settings::OptionState;

// What the option's own value says, by the rule of its catalogue row.
OptionState PreferenceState(RegistryOps& registry, const CatalogueEntry& entry)
{
    const RegistryBinding& binding = entry.binding;
    const TestResult result = registry.TestValue(binding.root, binding.keyPath, binding.valueName, binding.type,
                                                 entry.status.number, entry.status.text);
    switch (entry.status.rule) {
    case StatusRule::Equal:
        return result == TestResult::Equals       ? OptionState::Off
               : result == TestResult::Unreadable ? OptionState::Unknown
                                                  : OptionState::On;
    case StatusRule::ExpertEqual:
        return result == TestResult::Equals ? OptionState::Off : OptionState::On;
    case StatusRule::ExpertGone:
    case StatusRule::MessengerGone:
        // Gone only when really absent: a key that will not open or a value
        // too long to read may still be there.
        if (result != TestResult::Unreadable)
            return OptionState::On;
        return registry.IsAbsent(binding.root, binding.keyPath, binding.valueName) ? OptionState::Off
                                                                                   : OptionState::Unknown;
    case StatusRule::NotTested:
        break;
    }
    return OptionState::On;
}

}  // namespace

namespace settings {

SystemStatus ReadSystemStatus(RegistryOps& registry)
{
    SystemStatus status;
    for (OptionKey key : OrderOf(Pass::Status)) {
        const CatalogueEntry& entry = CatalogueEntryOf(key);
        // A policy that keeps the feature on or off decides, whatever the
        // preference says.
        switch (ReadPolicy(registry.Registry(), entry).force) {
        case PolicyForce::KeepsOn:
            status.push_back({entry.key, OptionState::On, true});
            break;
        case PolicyForce::KeepsOff:
            status.push_back({entry.key, OptionState::Off, true});
            break;
        case PolicyForce::None:
            status.push_back({entry.key, PreferenceState(registry, entry), false});
            break;
        }
    }
    return status;
}

}  // namespace settings
