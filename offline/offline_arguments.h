// The command line of the offline program, in the manner of Linux: long
// options, anywhere among the words, as "--name VALUE" or "--name=VALUE".
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lang/languages.h"

namespace offline {

enum class CommandKind { Help, Version, Status, Apply, Restore, Revert, Backups };

struct Command {
    CommandKind kind = CommandKind::Help;
    std::string root;                   // --root: the root of the system drive
    std::vector<std::string> users;     // --user, in the order given; empty for every profile
    std::optional<Language> language;   // --lang
    std::string backupFolder;           // --backup-dir: empty for each profile's own
    std::string selection;              // apply
    std::string reportPath;             // --report of status, apply and restore
    std::string revertPath;             // revert
};

struct ParsedCommand {
    Command command;
    std::string error;  // empty when the words make a command
};

// An error is told in the language --lang names, else in `language`.
ParsedCommand ParseCommand(const std::vector<std::string>& words, Language language);

}  // namespace offline
