// The support-user removal: the system's console of local users opens, and
// beside it the guidance dialog says which two accounts to delete there.
#pragma once

#include "lang/languages.h"
#include "platform/host_machine.h"
#include "platform/target_system.h"

namespace actions {

// Returns once the guidance dialog is closed; the console runs on.
void OpenUserManager(const TargetSystem& target, const HostMachine& host, Language language);

}  // namespace actions
