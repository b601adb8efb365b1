// The restore of the Windows defaults: the values every option had when
// Windows XP was installed. The caller asks first and tells after.
#pragma once

#include <optional>
#include <vector>

#include "settings/backup.h"
#include "settings/registry_ops.h"
#include "settings/step_result.h"

namespace settings {

// Writes the fourteen defaults and deletes the three Media Player values,
// in the restore's order (those of `only`'s scope, when given); one result
// per value. A value that is not there to delete is restored already.
std::vector<StepResult> RestoreDefaults(RegistryOps& registry, std::optional<Scope> only = std::nullopt);

// The values the restore changes.
std::vector<BackupTarget> RestoreTargets();

}  // namespace settings
