// The command line of a run without the dialog: split into words as the C
// runtime of Windows splits it, then read as one of the program's commands
// (the table of cli/command_line.cpp).
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "lang/languages.h"
#include "run/command_table.h"

namespace cli {

// The words of a command line without the program's name: separated by
// spaces and tabs, a quoted part keeping its spaces, 2n backslashes before a
// quote standing for n backslashes, 2n+1 for n and a literal quote.
std::vector<std::string> SplitCommandLine(std::string_view line);

struct Command;
struct CommandLineServices;
using CommandRow = run::CommandRow<int (*)(const Command&, CommandLineServices&)>;

// The commands of veilmark.exe, each a switch: /status, /apply, ...
std::span<const CommandRow> Commands();

struct Command {
    const CommandRow* row = nullptr;  // null: the dialog
    std::optional<Language> language;  // /lang: the dialog's or the command's language
    std::vector<std::string> operands;  // as the row names them
    std::string reportPath;             // /report: empty for none

    // The command's name ("status", "apply"...); empty for the dialog.
    std::string_view Name() const { return row ? row->name : std::string_view(); }
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
