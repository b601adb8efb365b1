// The offline program's texts by id, a row per text: German and English; a
// Chinese user reads the English, as on the Windows command line.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "settings/language.h"

namespace offline {

enum class OfflineText {
    OfflineUsage,
    OfflineUsageHint,
    UnknownOption,
    OptionNeedsValue,
    NeedsRoot,
    NeedsCommand,
    UnknownCommand,
    NoWindowsFolder,
    HiveUnreadable,
    NotAHive,
    HiveNotClosedCleanly,
    Hibernated,
    NotXpInstallation,
    NoControlSet,
    NoProfiles,
    UnknownProfile,
    ProfileWithoutHive,
    RevertNeedsProfile,
    HivesNotReplaced,
};

std::string Text(OfflineText id, Language language, std::initializer_list<std::string_view> arguments = {});

}  // namespace offline
