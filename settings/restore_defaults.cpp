#include "settings/restore_defaults.h"

#include <string>

namespace {

// The data of a write: a text with its terminating zero, or a 4-byte number.
std::vector<std::uint8_t> StepData(const RestoreStep& step)
{
    return step.action == RestoreAction::WriteText ? TextBytes(step.text) : DwordBytes(step.number);
}

}  // namespace

namespace settings {

std::vector<StepResult> RestoreDefaults(RegistryOps& registry, std::optional<Scope> only)
{
    std::vector<StepResult> results;
    for (OptionKey key : OrderOf(Pass::Restore)) {
        if (only && ScopeOf(key) != *only)
            continue;
        const CatalogueEntry& entry = CatalogueEntryOf(key);
        const RegistryBinding& binding = entry.binding;
        WriteCode code = WriteCode::Done;
        if (entry.restore.action == RestoreAction::DeleteValue) {
            if (!registry.DeleteValue(binding.root, binding.keyPath, binding.valueName))
                code = registry.WhyNotDeleted(binding.root, binding.keyPath, binding.valueName);
        } else {
            const std::vector<std::uint8_t> data = StepData(entry.restore);
            code = registry.WriteValue(binding.root, binding.keyPath, binding.valueName, data.data(), binding.type,
                                       static_cast<std::uint32_t>(data.size()));
        }
        if (code != WriteCode::Done) {
            results.push_back({key, StepOutcome::Failed, code, {}});
        } else if (const PolicyDecision policy = ReadPolicy(registry.Registry(), entry);
                   policy.force == PolicyForce::KeepsOff) {
            // Written all the same: the default holds again once the policy goes.
            results.push_back(UndoneByPolicy(key, policy));
        } else {
            results.push_back(DoneStep(key));
        }
    }
    return results;
}

std::vector<BackupTarget> RestoreTargets()
{
    std::vector<BackupTarget> targets;
    for (OptionKey key : OrderOf(Pass::Restore)) {
        const RegistryBinding& binding = CatalogueEntryOf(key).binding;
        targets.push_back({binding.root, binding.keyPath, binding.valueName});
    }
    return targets;
}

}  // namespace settings
