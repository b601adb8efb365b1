#include "run/changing_pass.h"

#include "settings/registry_ops.h"
#include "settings/restore_defaults.h"

namespace run {

ChangingPass ChangingPass::Apply(const settings::Selection& selection, bool homeEdition,
                                 settings::IApplyActions& actions, std::string name)
{
    return {selection, homeEdition, &actions, std::move(name)};
}

ChangingPass ChangingPass::Restore(std::string name) { return {std::nullopt, false, nullptr, std::move(name)}; }

std::vector<settings::BackupTarget> ChangingPass::Targets() const
{
    return m_selection ? settings::ApplyTargets(*m_selection) : settings::RestoreTargets();
}

std::vector<settings::StepResult> ChangingPass::Run(IRegistry& registry, std::optional<Scope> scope) const
{
    RegistryOps ops(registry);
    if (!m_selection)
        return settings::RestoreDefaults(ops, scope);
    return settings::ApplySettings(ops, scope ? m_selection->Within(*scope) : *m_selection, m_homeEdition,
                                   *m_actions);
}

}  // namespace run
