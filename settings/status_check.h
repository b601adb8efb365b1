// The system status check: what the registry says about every tested
// option, shown as the option's image in the tree.
#pragma once

#include <array>
#include <cstddef>

#include "settings/option_tree.h"
#include "settings/registry_ops.h"

namespace settings {

// What the registry says about a tested option: switched off already, still
// active, or unknown (an option whose value must be read to tell, and cannot
// be). Only the options that a missing value leaves active can be unknown.
enum class OptionState { Off, On, Unknown };

struct OptionStatus {
    OptionKey key;
    OptionState state;
};

// The seventeen tested options, in the order the check reads them.
inline constexpr std::size_t kTestedOptionCount = 17;
using SystemStatus = std::array<OptionStatus, kTestedOptionCount>;

// Reads the value behind every tested option, by the check's rules: a
// missing Alexa key, a missing Messenger autostart value and a missing
// Messenger installation count as switched off; where the key will not
// open or the value cannot be read, they are unknown.
SystemStatus ReadSystemStatus(RegistryOps& registry);

// Reads the value behind every tested option and shows its state in the
// tree: already switched off (image 5) or still active (image 12).
void CheckSystemStatus(RegistryOps& registry, CTreeOptionsCtrl& tree, const OptionItems& items);

}  // namespace settings
