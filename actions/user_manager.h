// The support-user removal: the system's console of local users opens, and
// beside it the guidance dialog says which two accounts to delete there.
#pragma once

#include "actions/action_services.h"

namespace actions {

// Returns once the guidance dialog is closed; the console runs on.
void OpenUserManager(const ActionServices& services);

}  // namespace actions
