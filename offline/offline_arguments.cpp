#include "offline/offline_arguments.h"

#include "lang/texts.h"

namespace offline {

namespace {

// The options: a flag, or one that takes a value into the command.
enum class Takes { Nothing, Text, OneMore, Language };

struct OptionRow {
    std::string_view name;
    Takes takes;
    bool Command::*flag = nullptr;                      // Nothing
    std::string Command::*text = nullptr;               // Text
    std::vector<std::string> Command::*list = nullptr;  // OneMore
};

constexpr OptionRow kOptions[] = {
    {"--help", Takes::Nothing, &Command::help},
    {"--version", Takes::Nothing, &Command::version},
    {"--root", Takes::Text, nullptr, &Command::root},
    {"--backup-dir", Takes::Text, nullptr, &Command::backupFolder},
    {"--report", Takes::Text, nullptr, &Command::reportPath},
    {"--image", Takes::OneMore, nullptr, nullptr, &Command::images},
    {"--partition", Takes::OneMore, nullptr, nullptr, &Command::partitions},
    {"--user", Takes::OneMore, nullptr, nullptr, &Command::users},
    {"--lang", Takes::Language},
};

const OptionRow* FindOption(std::string_view name)
{
    for (const OptionRow& option : kOptions)
        if (option.name == name)
            return &option;
    return nullptr;
}

// Reads the options among the words and leaves the others as the
// command's words; "--" ends the options. The error, in `language`, of the
// first option that is wrong; empty when none is.
std::string ReadOptions(const std::vector<std::string>& words, Command& command, std::vector<std::string>& rest,
                        Language language)
{
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string_view word = words[i];
        if (word == "--") {
            rest.insert(rest.end(), words.begin() + static_cast<std::ptrdiff_t>(i) + 1, words.end());
            break;
        }
        if (!word.starts_with("--")) {
            rest.emplace_back(word);
            continue;
        }
        const std::size_t equals = word.find('=');
        const std::string_view name = word.substr(0, equals);
        const OptionRow* option = FindOption(name);
        const bool valued = equals != std::string_view::npos;
        if (!option || (option->takes == Takes::Nothing && valued))
            return Text(TextId::UnknownOption, language, {name});
        if (option->takes == Takes::Nothing) {
            command.*(option->flag) = true;
            continue;
        }
        std::optional<std::string> value;
        if (valued)
            value = std::string(word.substr(equals + 1));
        else if (i + 1 < words.size())
            value = words[++i];
        if (!value || value->empty())
            return Text(TextId::OptionNeedsValue, language, {name});
        if (option->takes == Takes::Text)
            command.*(option->text) = *value;
        else if (option->takes == Takes::OneMore)
            (command.*(option->list)).push_back(*value);
        else if (!(command.language = LanguageNamed(*value)))
            return Text(TextId::NeedsLanguage, language, {name});
    }
    return {};
}

std::string ReadCommand(const std::vector<std::string>& words, Command& command, Language language)
{
    if (words.empty())
        return Text(TextId::NeedsCommand, language);
    command.row = run::FindCommand(Commands(), words[0], false);
    if (!command.row)
        return Text(TextId::UnknownCommand, language, {words[0]});
    command.operands.assign(words.begin() + 1, words.end());
    if (std::string error = run::OperandError(command.row->operands, words[0], command.operands, language);
        !error.empty())
        return error;
    if (!command.reportPath.empty() && !command.row->takesReport)
        return Text(TextId::UnknownOption, language, {"--report"});
    if (command.root.empty() == command.images.empty())
        return Text(command.root.empty() ? TextId::NeedsRoot : TextId::RootOrImages, language);
    if (!command.partitions.empty() && command.images.empty())
        return Text(TextId::PartitionNeedsImage, language);
    return {};
}

// The language a --lang among the options names, wherever it stands; none
// when there is none, or its value names no language.
std::optional<Language> NamedLanguage(const std::vector<std::string>& words)
{
    std::optional<Language> named;
    for (std::size_t i = 0; i < words.size() && words[i] != "--"; ++i) {
        if (words[i].starts_with("--lang="))
            named = LanguageNamed(std::string_view(words[i]).substr(7));
        else if (words[i] == "--lang" && i + 1 < words.size())
            named = LanguageNamed(words[++i]);
    }
    return named;
}

}  // namespace

ParsedCommand ParseCommand(const std::vector<std::string>& words, Language language)
{
    ParsedCommand parsed;
    Command& command = parsed.command;
    // Every error in the language --lang names, else in the user's.
    command.language = NamedLanguage(words);
    const Language told = command.language.value_or(language);
    std::vector<std::string> rest;
    parsed.error = ReadOptions(words, command, rest, told);
    if (parsed.error.empty() && !command.help && !command.version)
        parsed.error = ReadCommand(rest, command, told);
    return parsed;
}

}  // namespace offline
