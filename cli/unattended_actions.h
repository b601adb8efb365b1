// The system actions of the apply pass when nobody is at the screen: no
// question and no wait box; the support accounts, which only a person can
// remove in the console it opens, are left to one.
#pragma once

#include "actions/action_services.h"
#include "settings/apply_settings.h"

namespace cli {

class UnattendedActions final : public settings::IApplyActions {
public:
    explicit UnattendedActions(const ActionServices& services) : m_services(services) {}

    settings::StepResult ConfigureMediaPlayer() override;
    settings::StepResult RemoveMessenger() override;
    settings::StepResult OpenUserManager() override;

private:
    ActionServices m_services;
};

}  // namespace cli
