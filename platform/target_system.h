// The system being changed: its registry and what it says of itself, its
// version record and its folders. On Windows it is the machine the program
// runs on; the passes and the actions read it through this alone, so that
// another (an installation's hive files, read offline) can stand in its place.
#pragma once

#include "platform/registry.h"
#include "platform/system_folders.h"
#include "platform/version_info.h"

struct TargetSystem {
    IRegistry& registry;
    const IVersionInfo& version;
    const ISystemFolders& folders;
};
