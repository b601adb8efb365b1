// The restore of the Windows defaults: the values every option had when
// Windows XP was installed. The caller asks first and tells after.
#pragma once

#include <vector>

#include "settings/backup.h"
#include "settings/registry_ops.h"
#include "settings/step_result.h"

namespace settings {

// Writes the fourteen defaults and deletes the three Media Player values,
// in the restore's order; one result per value. A value that is not there
// to delete is restored already.
std::vector<StepResult> RestoreDefaults(RegistryOps& registry);

// The values the restore changes.
std::vector<BackupTarget> RestoreTargets();

}  // namespace settings
