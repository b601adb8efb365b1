#include "settings/reg_file.h"

#include <algorithm>

#include "platform/registry.h"
#include "settings/text.h"

namespace {

constexpr std::string_view kLineEnd = "\r\n";
// regedit breaks a long hex list after this many characters, ending the
// line with '\' and indenting the next by two spaces.
constexpr std::size_t kHexLineWidth = 76;

std::string QuotedName(std::string_view name)
{
    if (name.empty())
        return "@";
    std::string quoted(1, '"');
    quoted += EscapeRegText(name);
    quoted += '"';
    return quoted;
}

// A text that the quoted form holds exactly: one closing zero and no zero,
// carriage return or line feed before it.
bool QuotableText(const std::vector<std::uint8_t>& data)
{
    if (data.empty() || data.back() != 0)
        return false;
    for (std::size_t i = 0; i + 1 < data.size(); ++i)
        if (data[i] == 0 || data[i] == '\r' || data[i] == '\n')
            return false;
    return true;
}

// The bytes Windows stores for a text value: its UTF-16LE units.
std::vector<std::uint8_t> StoredTextBytes(const std::vector<std::uint8_t>& data)
{
    return Utf16LeBytes(std::string_view(reinterpret_cast<const char*>(data.data()), data.size()));
}

// `prefix` followed by the bytes as a comma-separated hex list, broken into
// lines as regedit breaks them.
std::string HexLine(std::string prefix, const std::vector<std::uint8_t>& bytes)
{
    std::string text = std::move(prefix);
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        text += HexNumber(bytes[i], 2);
        if (i + 1 == bytes.size())
            break;
        text += ',';
        if (text.size() - lineStart >= kHexLineWidth) {
            text += "\\";
            text += kLineEnd;
            lineStart = text.size();
            text += "  ";
        }
    }
    return text;
}

std::string ValueLine(std::string_view name, std::uint32_t type, const std::vector<std::uint8_t>& data)
{
    const std::string left = QuotedName(name) + "=";
    if (type == kRegSz && QuotableText(data))
        return left + "\"" + EscapeRegText(std::string_view(reinterpret_cast<const char*>(data.data()), data.size() - 1)) + "\"";
    if (type == kRegDword && data.size() == 4) {
        return left + "dword:" + HexNumber(AsNumber(data), 8);
    }
    if (type == kRegBinary)
        return HexLine(left + "hex:", data);
    return HexLine(left + "hex(" + HexNumber(type) + "):", IsTextType(type) ? StoredTextBytes(data) : data);
}

}  // namespace

std::string_view RootName(RegistryRoot root)
{
    switch (root) {
    case RegistryRoot::CurrentUser:
        return "HKEY_CURRENT_USER";
    case RegistryRoot::LocalMachine:
        return "HKEY_LOCAL_MACHINE";
    case RegistryRoot::ClassesRoot:
        return "HKEY_CLASSES_ROOT";
    default:
        return "";
    }
}

std::string FullKeyName(RegistryRoot root, std::string_view keyPath)
{
    std::string name(RootName(root));
    if (!keyPath.empty()) {
        name += '\\';
        name += keyPath;
    }
    return name;
}

std::string EscapeRegText(std::string_view text)
{
    std::string escaped;
    for (char c : text) {
        if (c == '\\' || c == '"')
            escaped += '\\';
        escaped += c;
    }
    return escaped;
}

void RegFile::StartBlock() { m_body += kLineEnd; }

void RegFile::Comment(std::string_view text)
{
    if (m_block != Block::Remarks) {
        StartBlock();
        m_block = Block::Remarks;
    }
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        m_body += "; " + std::string(text.substr(start, end - start)) + std::string(kLineEnd);
        start = end + 1;
    }
}

void RegFile::EnterKey(RegistryRoot root, std::string_view keyPath)
{
    std::string name = FullKeyName(root, keyPath);
    if (m_block == Block::Section && name == m_section)
        return;
    StartBlock();
    m_body += '[';
    m_body += name;
    m_body += ']';
    m_body += kLineEnd;
    m_section = std::move(name);
    m_block = Block::Section;
}

void RegFile::SetValue(RegistryRoot root, std::string_view keyPath, std::string_view name, std::uint32_t type,
                       const std::vector<std::uint8_t>& data)
{
    EnterKey(root, keyPath);
    m_body += ValueLine(name, type, data) + std::string(kLineEnd);
}

void RegFile::DeleteValue(RegistryRoot root, std::string_view keyPath, std::string_view name)
{
    EnterKey(root, keyPath);
    m_body += QuotedName(name) + "=-" + std::string(kLineEnd);
}

void RegFile::DeleteKey(RegistryRoot root, std::string_view keyPath)
{
    StartBlock();
    m_body += "[-";
    m_body += FullKeyName(root, keyPath);
    m_body += "]";
    m_body += kLineEnd;
    // A value after this needs its key's section opened again.
    m_block = Block::KeyDeletion;
}

void RegFile::AddKey(RegistryRoot root, std::string_view keyPath) { EnterKey(root, keyPath); }

std::string RegFile::Text() const
{
    // regedit ends its files with an empty line.
    return std::string(kRegFileHeader) + std::string(kLineEnd) + m_body + std::string(kLineEnd);
}

std::vector<std::uint8_t> RegFile::Bytes() const
{
    std::vector<std::uint8_t> bytes{0xFF, 0xFE};
    const std::vector<std::uint8_t> text = Utf16LeBytes(Text());
    bytes.insert(bytes.end(), text.begin(), text.end());
    return bytes;
}
