#include "settings/reg_import.h"

#include <optional>
#include <string_view>

#include "lang/texts.h"
#include "platform/registry.h"
#include "settings/reg_file.h"
#include "settings/text.h"

namespace settings {

namespace {

constexpr std::string_view kRegedit4Header = "REGEDIT4";

// The file as UTF-8 text.
std::string Decode(const std::vector<std::uint8_t>& bytes)
{
    if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE)
        return FromUtf16LeBytes(bytes.data() + 2, bytes.size() - 2);
    std::string text(bytes.begin(), bytes.end());
    if (text.rfind("\xEF\xBB\xBF", 0) == 0)
        text.erase(0, 3);
    return text;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// A number of 1 to 8 hex digits.
bool ParseHexNumber(std::string_view text, std::uint32_t& number)
{
    if (text.empty() || text.size() > 8)
        return false;
    number = 0;
    for (char c : text) {
        if (HexDigit(c) < 0)
            return false;
        number = number << 4 | static_cast<std::uint32_t>(HexDigit(c));
    }
    return true;
}

// "ab,01,..." with spaces allowed around the bytes; may be empty.
bool ParseHexList(std::string_view text, std::vector<std::uint8_t>& bytes)
{
    text = Trimmed(text);
    if (text.empty())
        return true;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        const std::string_view byte = Trimmed(text.substr(start, comma - start));
        std::uint32_t value = 0;
        if (byte.size() > 2 || !ParseHexNumber(byte, value))
            return false;
        bytes.push_back(static_cast<std::uint8_t>(value));
        start = comma + 1;
    }
    return true;
}

// A quoted text starting at text[0]; `end` is set past its closing quote.
bool ParseQuoted(std::string_view text, std::string& value, std::size_t& end)
{
    if (text.empty() || text[0] != '"')
        return false;
    value.clear();
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (text[i] == '"') {
            end = i + 1;
            return true;
        }
        if (text[i] == '\\') {
            if (i + 1 >= text.size() || (text[i + 1] != '\\' && text[i + 1] != '"'))
                return false;
            ++i;
        }
        value += text[i];
    }
    return false;
}

bool ParseKeyName(std::string_view name, RegEntry& entry)
{
    const std::size_t slash = name.find('\\');
    const std::string_view root = name.substr(0, slash);
    for (RegistryRoot candidate : {RegistryRoot::CurrentUser, RegistryRoot::LocalMachine, RegistryRoot::ClassesRoot})
        if (EqualsIgnoringCase(root, RootName(candidate)))
            entry.root = candidate;
    if (entry.root == RegistryRoot::None || slash == std::string_view::npos || slash + 1 >= name.size())
        return false;
    entry.keyPath = std::string(name.substr(slash + 1));
    return true;
}

// The data of a value as the port takes it, from the text after '='; the
// reason when it does not read.
std::optional<TextId> ParseData(std::string_view text, bool version5, RegEntry& entry)
{
    if (text == "-") {
        entry.kind = RegEntry::Kind::DeleteValue;
        return {};
    }
    entry.kind = RegEntry::Kind::SetValue;
    if (!text.empty() && text[0] == '"') {
        std::string value;
        std::size_t end = 0;
        if (!ParseQuoted(text, value, end) || end != text.size())
            return TextId::TextWithoutQuote;
        entry.type = kRegSz;
        entry.data = TextBytes(value);
        return {};
    }
    if (text.rfind("dword:", 0) == 0) {
        std::uint32_t number = 0;
        if (!ParseHexNumber(text.substr(6), number))
            return TextId::BadDword;
        entry.type = kRegDword;
        entry.data = DwordBytes(number);
        return {};
    }
    std::vector<std::uint8_t> bytes;
    std::string_view list;
    if (text.rfind("hex:", 0) == 0) {
        entry.type = kRegBinary;
        list = text.substr(4);
    } else if (text.rfind("hex(", 0) == 0 && text.find("):") != std::string_view::npos) {
        const std::size_t close = text.find("):");
        std::uint32_t type = 0;
        if (!ParseHexNumber(text.substr(4, close - 4), type))
            return TextId::BadValueType;
        entry.type = type;
        list = text.substr(close + 2);
    } else {
        return TextId::UnknownValueKind;
    }
    if (!ParseHexList(list, bytes))
        return TextId::BadHexList;
    if (IsTextType(entry.type) && version5) {
        // Version 5.00 keeps texts as the UTF-16LE units the registry stores.
        if (bytes.size() % 2 != 0)
            return TextId::OddTextLength;
        const std::string utf8 = FromUtf16LeBytes(bytes.data(), bytes.size());
        entry.data.assign(utf8.begin(), utf8.end());
    } else {
        entry.data = std::move(bytes);
    }
    return {};
}

std::optional<TextId> ParseValue(std::string_view line, bool version5, RegEntry& entry)
{
    std::size_t end = 0;
    if (line[0] == '@') {
        end = 1;
    } else if (!ParseQuoted(line, entry.name, end)) {
        return TextId::NameNotQuoted;
    }
    const std::string_view rest = Trimmed(line.substr(end));
    if (rest.empty() || rest[0] != '=')
        return TextId::ValueWithoutEquals;
    return ParseData(Trimmed(rest.substr(1)), version5, entry);
}

}  // namespace

ParsedRegFile ParseRegFile(const std::vector<std::uint8_t>& bytes, Language language)
{
    ParsedRegFile parsed;
    const std::string text = Decode(bytes);
    bool headerSeen = false;
    bool version5 = true;
    bool inSection = false;
    RegEntry section;
    const auto fail = [&](int line, TextId error) {
        parsed.errorLine = line;
        parsed.error = Text(error, language);
        parsed.entries.clear();
        return parsed;
    };

    int number = 0;
    for (std::size_t start = 0; start < text.size();) {
        // One logical line: a line ending with '\' goes on in the next.
        const int lineNumber = ++number;
        std::string logical;
        for (;;) {
            const std::size_t end = std::min(text.find('\n', start), text.size());
            logical += Trimmed(std::string_view(text).substr(start, end - start));
            start = end + 1;
            if (logical.empty() || logical.back() != '\\' || logical[0] == ';' || start >= text.size())
                break;
            logical.pop_back();
            ++number;
        }
        const std::string_view line = logical;
        if (line.empty() || line[0] == ';')
            continue;
        if (!headerSeen) {
            if (line != kRegFileHeader && line != kRegedit4Header)
                return fail(lineNumber, TextId::NotRegFile);
            headerSeen = true;
            version5 = line == kRegFileHeader;
            continue;
        }
        RegEntry entry;
        entry.line = lineNumber;
        if (line[0] == '[') {
            if (line.back() != ']')
                return fail(lineNumber, TextId::KeyWithoutBracket);
            const bool deletion = line.size() > 1 && line[1] == '-';
            if (!ParseKeyName(line.substr(deletion ? 2 : 1, line.size() - (deletion ? 3 : 2)), entry))
                return fail(lineNumber, TextId::KeyBelowNoRoot);
            entry.kind = deletion ? RegEntry::Kind::DeleteKey : RegEntry::Kind::Section;
            inSection = !deletion;
            section = entry;
            parsed.entries.push_back(std::move(entry));
            continue;
        }
        if (!inSection)
            return fail(lineNumber, TextId::ValueOutsideSection);
        entry.root = section.root;
        entry.keyPath = section.keyPath;
        if (const std::optional<TextId> error = ParseValue(line, version5, entry))
            return fail(lineNumber, *error);
        parsed.entries.push_back(std::move(entry));
    }
    if (!headerSeen)
        return fail(1, TextId::EmptyRegFile);
    return parsed;
}

}  // namespace settings
