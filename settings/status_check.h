// The system status check: what the registry says about every tested
// option, shown as the option's image in the tree.
#pragma once

#include "settings/option_tree.h"
#include "settings/registry_ops.h"

namespace settings {

// Reads the value behind every tested option and shows its state in the
// tree: already switched off (image 5) or still active (image 12).
void CheckSystemStatus(RegistryOps& registry, CTreeOptionsCtrl& tree, const OptionItems& items);

}  // namespace settings
