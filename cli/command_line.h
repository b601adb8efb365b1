// The runs without the dialog, for administrators: a status report, the
// apply pass of a selection, the restore of the defaults, a .reg file of a
// selection's changes, the import of a backup and the list of backups.
#pragma once

#include "cli/arguments.h"
#include "lang/languages.h"
#include "platform/console.h"
#include "platform/host_machine.h"
#include "platform/string_table.h"
#include "platform/target_system.h"

namespace cli {

// What a run works with: the system it changes, the machine it runs on,
// the texts and the console it writes to.
struct CommandLineServices {
    TargetSystem target;
    HostMachine host;
    const IStringTable& strings;
    IConsole& console;
    Language language;  // the user's, unless /lang names another
};

// Runs `command` (not the dialog) to its end and returns the exit code.
int RunCommand(const Command& command, CommandLineServices& services);

// Parses the words and runs what they say; an error in them is reported
// with the usage hint and ends with the exit code of an error.
int RunCommandLine(const std::vector<std::string>& words, CommandLineServices& services);

}  // namespace cli
