// The command line of a run without the dialog: split into words as the C
// runtime of Windows splits it, then read as one of the program's commands.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lang/languages.h"

namespace cli {

// The words of a command line without the program's name: separated by
// spaces and tabs, a quoted part keeping its spaces, 2n backslashes before a
// quote standing for n backslashes, 2n+1 for n and a literal quote.
std::vector<std::string> SplitCommandLine(std::string_view line);

enum class CommandKind { Dialog, Usage, Status, Apply, Restore, Export, Revert, Backups };

struct Command {
    CommandKind kind = CommandKind::Dialog;
    std::optional<Language> language;  // /lang: the dialog's or the command's language
    std::string selection;   // /apply and /export: "recommended", "expert" or a profile's path
    std::string reportPath;  // /status, /apply and /restore: empty for none
    std::string exportPath;  // /export
    std::string revertPath;  // /revert: the .reg file to import
};

struct ParsedCommand {
    Command command;
    std::string error;  // empty when the words make a command
};

// No words (or /lang and its language alone): the dialog. Switches start
// with '/' or '-' and, like the selection names, are read without regard to
// case. An error is told in the language /lang names, else in `language`.
ParsedCommand ParseCommand(const std::vector<std::string>& words, Language language);

}  // namespace cli
