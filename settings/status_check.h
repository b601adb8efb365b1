// The system status check: what the registry says about every tested
// option. The dialog shows it on the tree, the command line as lines.
#pragma once

#include <vector>

#include "settings/catalogue.h"
#include "settings/registry_ops.h"

namespace settings {

// What the registry says about a tested option: switched off already, still
// active, or unknown (its value must be read to tell, and cannot be).
enum class OptionState { Off, On, Unknown };

struct OptionStatus {
    OptionKey key;
    OptionState state;
    bool byPolicy = false;  // a Group Policy decides it, whatever the preference says
};

// The tested options, in the order the check reads them.
using SystemStatus = std::vector<OptionStatus>;

// Reads the value behind every tested option, by the rule of its catalogue
// row: a missing Alexa key, a missing Messenger autostart value and a
// missing Messenger installation count as switched off; where the key will
// not open or the value cannot be read, they are unknown. Where a policy
// keeps the option's feature on or off, that is its state.
SystemStatus ReadSystemStatus(RegistryOps& registry);

}  // namespace settings
