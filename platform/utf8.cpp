#include "platform/utf8.h"

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// The code point starting at `text[i]`, advancing `i` past it.
char32_t NextCodePoint(std::string_view text, std::size_t& i)
{
    const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(text[at]); };
    const unsigned char lead = byte(i);
    std::size_t length = 0;
    char32_t point = 0;
    char32_t least = 0;
    if (lead < 0x80) {
        ++i;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, point = lead & 0x1F, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, point = lead & 0x0F, least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, point = lead & 0x07, least = 0x10000;
    } else {
        ++i;
        return kReplacement;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if (i + k >= text.size() || (byte(i + k) & 0xC0) != 0x80) {
            i += k;
            return kReplacement;
        }
        point = (point << 6) | (byte(i + k) & 0x3F);
    }
    i += length;
    // Over-long forms, surrogates and points past Unicode are malformed.
    if (point < least || (point >= 0xD800 && point <= 0xDFFF) || point > 0x10FFFF)
        return kReplacement;
    return point;
}

void AppendUtf8(std::string& out, char32_t point)
{
    if (point < 0x80) {
        out += static_cast<char>(point);
    } else if (point < 0x800) {
        out += static_cast<char>(0xC0 | (point >> 6));
        out += static_cast<char>(0x80 | (point & 0x3F));
    } else if (point < 0x10000) {
        out += static_cast<char>(0xE0 | (point >> 12));
        out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (point & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (point >> 18));
        out += static_cast<char>(0x80 | ((point >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (point & 0x3F));
    }
}

}  // namespace

std::u16string Utf8ToUtf16(std::string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const char32_t point = NextCodePoint(text, i);
        if (point >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((point - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((point - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(point);
        }
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t point = text[i];
        if (point >= 0xD800 && point <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            point = 0x10000 + ((point - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (point >= 0xD800 && point <= 0xDFFF) {
            point = kReplacement;
        }
        AppendUtf8(out, point);
    }
    return out;
}

std::vector<std::uint8_t> Utf16LeBytes(std::string_view text)
{
    std::vector<std::uint8_t> bytes;
    for (char16_t unit : Utf8ToUtf16(text)) {
        bytes.push_back(static_cast<std::uint8_t>(unit));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return bytes;
}

std::string FromUtf16LeBytes(const std::uint8_t* bytes, std::size_t size)
{
    std::u16string units;
    for (std::size_t i = 0; i + 1 < size; i += 2)
        units += static_cast<char16_t>(bytes[i] | bytes[i + 1] << 8);
    return Utf16ToUtf8(units);
}
