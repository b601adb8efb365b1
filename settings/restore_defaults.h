// The restore of the Windows defaults: the question first, then the values
// every option had when Windows XP was installed, and a report.
#pragma once

#include <vector>

#include "platform/prompt.h"
#include "settings/backup.h"
#include "settings/language.h"
#include "settings/registry_ops.h"

namespace settings {

// Asks whether to restore the defaults; true unless the user cancels.
bool ConfirmRestore(IPrompt& prompt);

// Writes the fourteen defaults and deletes the three Media Player values,
// then tells the user it is done, naming by its label every option whose
// value could not be restored.
void RestoreDefaults(RegistryOps& registry, IPrompt& prompt, const OptionLabels& labels);

// The values the restore changes.
std::vector<BackupTarget> RestoreTargets();

}  // namespace settings
