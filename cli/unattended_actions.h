// The system actions of the apply pass when nobody is at the screen: no
// question and no wait box; the support accounts, which only a person can
// remove in the console it opens, are left to one.
#pragma once

#include "lang/languages.h"
#include "platform/host_machine.h"
#include "platform/target_system.h"
#include "settings/apply_settings.h"

namespace cli {

class UnattendedActions final : public settings::IApplyActions {
public:
    UnattendedActions(const TargetSystem& target, const HostMachine& host, Language language)
        : m_target(target), m_host(host), m_language(language)
    {
    }

    settings::StepResult ConfigureMediaPlayer() override;
    settings::StepResult RemoveMessenger() override;
    settings::StepResult OpenUserManager() override;

private:
    TargetSystem m_target;
    HostMachine m_host;
    Language m_language;
};

}  // namespace cli
