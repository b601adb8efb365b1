// The passes that change the registry, as both programs run them without
// the dialog: apply SELECTION or restore the defaults. What their backups
// must hold, and their steps on one registry (or on the values of one
// scope of it: the machine's, or a user's).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"
#include "settings/apply_settings.h"
#include "settings/backup.h"
#include "settings/selection.h"
#include "settings/step_result.h"

namespace run {

class ChangingPass {
public:
    // `name` stands in the backups' remarks: "veilmark.exe /apply".
    static ChangingPass Apply(const settings::Selection& selection, bool homeEdition,
                              settings::IApplyActions& actions, std::string name);
    static ChangingPass Restore(std::string name);

    std::string_view Name() const { return m_name; }
    std::vector<settings::BackupTarget> Targets() const;
    std::vector<settings::StepResult> Run(IRegistry& registry, std::optional<Scope> scope = std::nullopt) const;

private:
    ChangingPass(std::optional<settings::Selection> selection, bool homeEdition, settings::IApplyActions* actions,
                 std::string name)
        : m_selection(selection), m_homeEdition(homeEdition), m_actions(actions), m_name(std::move(name))
    {
    }

    std::optional<settings::Selection> m_selection;  // none: the restore
    bool m_homeEdition;
    settings::IApplyActions* m_actions;
    std::string m_name;
};

}  // namespace run
