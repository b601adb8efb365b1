#include "cli/arguments.h"

#include "lang/texts.h"
#include "platform/utf8.h"

namespace cli {

namespace {

bool IsSwitch(std::string_view word) { return word.size() >= 2 && (word[0] == '/' || word[0] == '-'); }

bool IsSwitch(std::string_view word, std::string_view name)
{
    return IsSwitch(word) && EqualsIgnoringCase(word.substr(1), name);
}

// A word that can be an operand: no switch, and not empty (an empty word
// names nothing).
bool IsOperand(std::string_view word) { return !IsSwitch(word) && !word.empty(); }

std::string Unexpected(const std::string& word, Language language)
{
    return Text(IsSwitch(word) ? TextId::RepeatedSwitch : TextId::UnexpectedArgument, language, {word});
}

// Reads the words after the command's switch: its operands in order, then
// an optional /report FILE where the command takes one, then nothing more.
std::string ReadRest(const std::vector<std::string>& words, std::size_t next, const std::string& name,
                     Command& command, Language language)
{
    const run::Operands& operands = command.row->operands;
    if (operands.TakesAny())
        return {};
    while (command.operands.size() < operands.Count() && next < words.size() && IsOperand(words[next]))
        command.operands.push_back(words[next++]);
    if (command.operands.size() < operands.Count())
        return run::OperandError(operands, name, command.operands, language);
    while (next < words.size()) {
        const std::string& word = words[next++];
        if (!command.row->takesReport || !IsSwitch(word, "report") || !command.reportPath.empty())
            return Unexpected(word, language);
        if (next >= words.size() || !IsOperand(words[next]))
            return Text(TextId::NeedsFileName, language, {word});
        command.reportPath = words[next++];
    }
    return {};
}

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view line)
{
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;  // an empty quoted word is a word too
    bool quoted = false;
    for (std::size_t i = 0; i < line.size();) {
        const char c = line[i];
        if ((c == ' ' || c == '\t') && !quoted) {
            if (inWord)
                words.push_back(word);
            word.clear();
            inWord = false;
            ++i;
            continue;
        }
        inWord = true;
        if (c == '\\') {
            std::size_t slashes = 0;
            for (; i < line.size() && line[i] == '\\'; ++i)
                ++slashes;
            const bool beforeQuote = i < line.size() && line[i] == '"';
            word.append(beforeQuote ? slashes / 2 : slashes, '\\');
            if (beforeQuote && slashes % 2 == 1) {
                word += '"';
                ++i;
            }
            continue;
        }
        if (c == '"') {
            // Inside quotes, "" stands for one literal quote.
            if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
                word += '"';
                i += 2;
            } else {
                quoted = !quoted;
                ++i;
            }
            continue;
        }
        word += c;
        ++i;
    }
    if (inWord)
        words.push_back(word);
    return words;
}

ParsedCommand ParseCommand(const std::vector<std::string>& words, Language language)
{
    ParsedCommand parsed;
    Command& command = parsed.command;
    std::size_t at = 0;
    if (!words.empty() && IsSwitch(words.front(), "lang")) {
        command.language = words.size() > 1 ? LanguageNamed(words[1]) : std::nullopt;
        if (!command.language) {
            parsed.error = Text(TextId::NeedsLanguage, language, {words.front()});
            return parsed;
        }
        language = *command.language;
        at = 2;
    }
    if (at >= words.size())
        return parsed;

    const std::string& first = words[at];
    if (!IsSwitch(first)) {
        parsed.error = Text(TextId::UnexpectedArgument, language, {first});
        return parsed;
    }
    command.row = run::FindCommand(Commands(), std::string_view(first).substr(1), true);
    if (!command.row) {
        parsed.error = Text(TextId::UnknownSwitch, language, {first});
        return parsed;
    }
    parsed.error = ReadRest(words, at + 1, first, command, language);
    return parsed;
}

}  // namespace cli
