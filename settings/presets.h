// The preset selections of the tree. The recommended selection is the tree
// as built (see option_tree.h); the expert command unlocks the two options
// that are locked by default.
#pragma once

#include "settings/option_tree.h"

namespace settings {

// Makes DisableTaskSchedulerService and RemoveAlexaEntry selectable and
// unticked, whatever state they were in.
void EnableExpertOptions(CTreeOptionsCtrl& tree, const OptionItems& items);

}  // namespace settings
