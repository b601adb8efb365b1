// The command line of the offline program, in the manner of Linux: long
// options anywhere among the words, as "--name VALUE" or "--name=VALUE",
// and a command with its operands (the table of offline/offline_run.cpp).
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "lang/languages.h"
#include "run/command_table.h"

namespace offline {

class OfflineRun;
using CommandRow = run::CommandRow<int (OfflineRun::*)()>;

// The commands of veilmark-offline: status, apply, ...
std::span<const CommandRow> Commands();

struct Command {
    const CommandRow* row = nullptr;  // none with --help or --version
    bool help = false;                  // --help
    bool version = false;               // --version
    std::string root;                   // --root: the root of the system drive
    std::vector<std::string> images;    // --image, in the order given: disk images instead of a root
    std::vector<std::string> partitions;  // --partition: the device of an image's installation
    std::vector<std::string> users;     // --user, in the order given; empty for every profile
    std::optional<Language> language;   // --lang
    std::string backupFolder;           // --backup-dir: empty for each profile's own
    std::vector<std::string> operands;  // as the command's row names them
    std::string reportPath;             // --report, of the commands that take one

    std::string_view Name() const { return row ? row->name : std::string_view(); }
};

struct ParsedCommand {
    Command command;
    std::string error;  // empty when the words make a command
};

// An error is told in the language --lang names, else in `language`.
ParsedCommand ParseCommand(const std::vector<std::string>& words, Language language);

}  // namespace offline
