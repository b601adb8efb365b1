#include "offline/offline_arguments.h"

#include <algorithm>
#include <iterator>

#include "lang/texts.h"

namespace offline {

namespace {

struct CommandName {
    std::string_view word;
    CommandKind kind;
};
constexpr CommandName kCommands[] = {
    {"status", CommandKind::Status}, {"apply", CommandKind::Apply},     {"restore", CommandKind::Restore},
    {"revert", CommandKind::Revert}, {"backups", CommandKind::Backups},
};

bool TakesReport(CommandKind kind)
{
    return kind == CommandKind::Status || kind == CommandKind::Apply || kind == CommandKind::Restore;
}

}  // namespace

ParsedCommand ParseCommand(const std::vector<std::string>& words, Language language)
{
    ParsedCommand parsed;
    Command& command = parsed.command;
    std::vector<std::string> operands;
    bool help = false;
    bool version = false;
    std::string error;
    std::optional<Language> named;
    for (std::size_t i = 0; i < words.size() && error.empty(); ++i) {
        std::string_view word = words[i];
        if (word == "--") {
            operands.insert(operands.end(), words.begin() + static_cast<std::ptrdiff_t>(i) + 1, words.end());
            break;
        }
        if (!word.starts_with("--") || word.size() == 2) {
            operands.emplace_back(word);
            continue;
        }
        std::string_view name = word;
        std::optional<std::string> value;
        if (const std::size_t equals = word.find('='); equals != std::string_view::npos) {
            name = word.substr(0, equals);
            value = std::string(word.substr(equals + 1));
        }
        const auto takeValue = [&](std::string& into) {
            if (!value && i + 1 < words.size())
                value = words[++i];
            if (!value || value->empty())
                error = Text(TextId::OptionNeedsValue, language, {name});
            else
                into = *value;
        };
        std::string text;
        if (name == "--help" && !value) {
            help = true;
        } else if (name == "--version" && !value) {
            version = true;
        } else if (name == "--root") {
            takeValue(command.root);
        } else if (name == "--user") {
            takeValue(text);
            if (error.empty())
                command.users.push_back(text);
        } else if (name == "--backup-dir") {
            takeValue(command.backupFolder);
        } else if (name == "--report") {
            takeValue(command.reportPath);
        } else if (name == "--lang") {
            takeValue(text);
            named = LanguageNamed(text);
            if (error.empty() && !named)
                error = Text(TextId::NeedsLanguage, language, {name});
        } else {
            error = Text(TextId::UnknownOption, language, {name});
        }
    }
    command.language = named;
    const Language told = named.value_or(language);
    if (!error.empty()) {
        parsed.error = error;
        return parsed;
    }
    if (help || version) {
        command.kind = help ? CommandKind::Help : CommandKind::Version;
        return parsed;
    }
    if (operands.empty()) {
        parsed.error = Text(TextId::NeedsCommand, told);
        return parsed;
    }
    const auto known = std::find_if(std::begin(kCommands), std::end(kCommands),
                                    [&](const CommandName& entry) { return entry.word == operands[0]; });
    if (known == std::end(kCommands)) {
        parsed.error = Text(TextId::UnknownCommand, told, {operands[0]});
        return parsed;
    }
    command.kind = known->kind;
    std::size_t needed = 1;
    if (command.kind == CommandKind::Apply) {
        needed = 2;
        if (operands.size() < 2)
            parsed.error = Text(TextId::NeedsSelection, told, {operands[0]});
        else
            command.selection = operands[1];
    } else if (command.kind == CommandKind::Revert) {
        needed = 2;
        if (operands.size() < 2)
            parsed.error = Text(TextId::NeedsRegFileToImport, told, {operands[0]});
        else
            command.revertPath = operands[1];
    }
    if (parsed.error.empty() && operands.size() > needed)
        parsed.error = Text(TextId::UnexpectedArgument, told, {operands[needed]});
    if (parsed.error.empty() && !command.reportPath.empty() && !TakesReport(command.kind))
        parsed.error = Text(TextId::UnknownOption, told, {"--report"});
    if (parsed.error.empty() && command.root.empty())
        parsed.error = Text(TextId::NeedsRoot, told);
    return parsed;
}

}  // namespace offline
