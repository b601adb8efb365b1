// The platform checks of the start-up, for the runs without the dialog too.
#pragma once

#include <cstdint>
#include <string>

#include "platform/registry.h"
#include "platform/version_info.h"

// 1: home edition; 2: single-user terminal services alone; -1: any other
// suite mask; 0: the version query failed.
std::int32_t EditionKindOf(const IVersionInfo& version);

// The system's product name and edition on one line, such as "Microsoft
// Windows XP (edition: Professional)".
std::string SystemDescription(IRegistry& registry, const IVersionInfo& version);
