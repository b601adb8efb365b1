#include "settings/status_check.h"

namespace settings {

SystemStatus ReadSystemStatus(RegistryOps& registry)
{
    SystemStatus status;
    for (OptionKey key : OrderOf(Pass::Status)) {
        const CatalogueEntry& entry = CatalogueEntryOf(key);
        const RegistryBinding& binding = entry.binding;
        const std::int32_t result = registry.TestValue(binding.root, binding.keyPath, binding.valueName,
                                                       binding.type, entry.status.number, entry.status.text);
        OptionState state = OptionState::On;
        switch (entry.status.rule) {
        case StatusRule::Equal:
            state = result == 1 ? OptionState::Off : result == 2 ? OptionState::Unknown : OptionState::On;
            break;
        case StatusRule::ExpertEqual:
            state = result == 1 ? OptionState::Off : OptionState::On;
            break;
        case StatusRule::ExpertGone:
        case StatusRule::MessengerGone:
            // Gone only when really absent: a key that will not open or a
            // value too long to read may still be there.
            if (result != 2)
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
