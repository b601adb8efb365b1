// The offline program's commands, from its words to its exit code: the
// passes of veilmark.exe run on an installation's hives, the machine's
// values once and each profile's in its own hive, with a backup per
// profile before the first change and the hives put in place whole.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "lang/languages.h"
#include "platform/clock.h"
#include "platform/console.h"
#include "platform/string_table.h"

namespace offline {

struct OfflineServices {
    IConsole& console;
    IClock& clock;  // names the backups
    const IStringTable& strings;
    Language language;  // the user's, unless --lang names another
    // Called before each step of putting the hives in place (a test stops
    // the program there); may be empty.
    std::function<void(std::string_view step)> beforeCommitStep;
    // Shows a line per phase of a run on disk images (the appliance takes
    // a while); empty for none.
    std::function<void(const std::string& line)> progress;
};

int Run(const std::vector<std::string>& words, OfflineServices& services);

}  // namespace offline
