#include "cli/arguments.h"

#include "lang/texts.h"
#include "settings/text.h"

namespace cli {

namespace {

bool IsSwitch(std::string_view word) { return word.size() >= 2 && (word[0] == '/' || word[0] == '-'); }

bool IsSwitch(std::string_view word, std::string_view name)
{
    return IsSwitch(word) && EqualsIgnoringCase(word.substr(1), name);
}

// Reads the words after the command: its operands in order, then switches.
class Reader {
public:
    Reader(const std::vector<std::string>& words, std::size_t next, Language language)
        : m_words(words), m_next(next), m_language(language)
    {
    }

    // The next word as the operand `need` speaks of; false, with the error
    // set, when there is none (an empty word names nothing either).
    bool Operand(const std::string& command, TextId need, std::string& value)
    {
        if (m_next >= m_words.size() || IsSwitch(m_words[m_next]) || m_words[m_next].empty()) {
            m_error = Text(need, m_language, {command});
            return false;
        }
        value = m_words[m_next++];
        return true;
    }
    // An optional /report FILE, then nothing more.
    bool ReportAndEnd(std::string& reportPath)
    {
        while (m_next < m_words.size()) {
            const std::string& word = m_words[m_next++];
            if (IsSwitch(word, "report") && reportPath.empty()) {
                if (!Operand(word, TextId::NeedsFileName, reportPath))
                    return false;
            } else {
                return Unexpected(word);
            }
        }
        return true;
    }
    bool End()
    {
        return m_next >= m_words.size() || Unexpected(m_words[m_next]);
    }
    const std::string& Error() const { return m_error; }

private:
    bool Unexpected(const std::string& word)
    {
        m_error = Text(IsSwitch(word) ? TextId::RepeatedSwitch : TextId::UnexpectedArgument, m_language, {word});
        return false;
    }

    const std::vector<std::string>& m_words;
    std::size_t m_next;
    Language m_language;
    std::string m_error;
};

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

    Reader reader(words, at + 1, language);
    const std::string& first = words[at];
    bool sound = false;
    if (IsSwitch(first, "?") || IsSwitch(first, "help")) {
        command.kind = CommandKind::Usage;
        sound = true;
    } else if (IsSwitch(first, "status")) {
        command.kind = CommandKind::Status;
        sound = reader.ReportAndEnd(command.reportPath);
    } else if (IsSwitch(first, "apply")) {
        command.kind = CommandKind::Apply;
        sound = reader.Operand(first, TextId::NeedsSelection, command.selection) && reader.ReportAndEnd(command.reportPath);
    } else if (IsSwitch(first, "restore")) {
        command.kind = CommandKind::Restore;
        sound = reader.ReportAndEnd(command.reportPath);
    } else if (IsSwitch(first, "export")) {
        command.kind = CommandKind::Export;
        sound = reader.Operand(first, TextId::NeedsSelection, command.selection) &&
                reader.Operand(first, TextId::NeedsRegFileToWrite, command.exportPath) && reader.End();
    } else if (IsSwitch(first, "revert")) {
        command.kind = CommandKind::Revert;
        sound = reader.Operand(first, TextId::NeedsRegFileToImport, command.revertPath) && reader.End();
    } else if (IsSwitch(first, "backups")) {
        command.kind = CommandKind::Backups;
        sound = reader.End();
    } else {
        parsed.error = Text(IsSwitch(first) ? TextId::UnknownSwitch : TextId::UnexpectedArgument, language, {first});
        return parsed;
    }
    if (!sound)
        parsed.error = reader.Error();
    return parsed;
}

}  // namespace cli
