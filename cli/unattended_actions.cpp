#include "cli/unattended_actions.h"

#include "actions/media_player_run.h"
#include "actions/messenger_removal.h"
#include "lang/texts.h"

namespace cli {

using settings::StepOutcome;
using settings::StepResult;

StepResult UnattendedActions::ConfigureMediaPlayer()
{
    if (actions::RunMediaPlayerOnce(m_target, m_host))
        return settings::DoneStep(OptionKey::MediaPlayerGroup);
    return {OptionKey::MediaPlayerGroup, StepOutcome::Failed, WriteCode::Done, Text(TextId::PlayerNotStarted, m_language)};
}

StepResult UnattendedActions::RemoveMessenger()
{
    if (actions::RunMessengerUninstaller(m_target, m_host))
        return settings::DoneStep(OptionKey::MessengerUninstall);
    return {OptionKey::MessengerUninstall, StepOutcome::Failed, WriteCode::Done, Text(TextId::UninstallerNotStarted, m_language)};
}

StepResult UnattendedActions::OpenUserManager()
{
    return {OptionKey::RemoveSupportUsers, StepOutcome::NeedsPerson, WriteCode::Done, {}};
}

}  // namespace cli
