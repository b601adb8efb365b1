#include "settings/status_check.h"

namespace settings {

SystemStatus ReadSystemStatus(RegistryOps& registry)
{
    SystemStatus status;
    for (OptionKey key : OrderOf(Pass::Status)) {
        const CatalogueEntry& entry = CatalogueEntryOf(key);
        const RegistryBinding& binding = entry.binding;
        const TestResult result = registry.TestValue(binding.root, binding.keyPath, binding.valueName,
                                                       binding.type, entry.status.number, entry.status.text);
        OptionState state = OptionState::On;
        switch (entry.status.rule) {
        case StatusRule::Equal:
            state = result == TestResult::Equals       ? OptionState::Off
                    : result == TestResult::Unreadable ? OptionState::Unknown
                                                       : OptionState::On;
            break;
        case StatusRule::ExpertEqual:
            state = result == TestResult::Equals ? OptionState::Off : OptionState::On;
            break;
        case StatusRule::ExpertGone:
        case StatusRule::MessengerGone:
            // Gone only when really absent: a key that will not open or a
            // value too long to read may still be there.
            if (result != TestResult::Unreadable)
                state = OptionState::On;
            else if (registry.IsAbsent(binding.root, binding.keyPath, binding.valueName))
                state = OptionState::Off;
            else
                state = OptionState::Unknown;
            break;
        case StatusRule::NotTested:
            break;
        }
        status.push_back({entry.key, state});
    }
    return status;
}

}  // namespace settings
