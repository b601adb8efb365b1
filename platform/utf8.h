// UTF-8 text walked character by character and counted as Windows counts
// text, in UTF-16 units: a character beyond U+FFFF takes two. A byte that
// begins no valid sequence counts as a character of its own, of one unit.
// Also the conversions to and from UTF-16, and names compared as Windows
// compares key and value names and switches.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct Utf8Character {
    std::size_t bytes;  // 1 to 4
    std::size_t units;  // 1 or 2
};

// The character that starts at `at` (before the end of `text`).
inline Utf8Character Utf8CharacterAt(std::string_view text, std::size_t at)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length = 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4;
    if (at + length > text.size())
        return {1, 1};
    for (std::size_t k = 1; k < length; ++k)
        if ((static_cast<unsigned char>(text[at + k]) & 0xC0) != 0x80)
            return {1, 1};
    return {length, length == 4 ? 2u : 1u};
}

inline std::size_t Utf16Length(std::string_view text)
{
    std::size_t units = 0;
    for (std::size_t at = 0; at < text.size();) {
        const Utf8Character character = Utf8CharacterAt(text, at);
        units += character.units;
        at += character.bytes;
    }
    return units;
}

// The longest start of `text` of at most `units` UTF-16 units, cut between
// characters.
inline std::string_view FirstUtf16Units(std::string_view text, std::size_t units)
{
    std::size_t at = 0;
    for (std::size_t taken = 0; at < text.size();) {
        const Utf8Character character = Utf8CharacterAt(text, at);
        if (taken + character.units > units)
            break;
        taken += character.units;
        at += character.bytes;
    }
    return text.substr(0, at);
}

// Each malformed byte of `text` becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);
// Each unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

// UTF-8 text as UTF-16LE bytes, and back (a last odd byte is dropped).
std::vector<std::uint8_t> Utf16LeBytes(std::string_view text);
std::string FromUtf16LeBytes(const std::uint8_t* bytes, std::size_t size);

inline char FoldAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Whether `a` and `b` are equal when ASCII letters are compared without case,
// as Windows compares switches, key and value names.
inline bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (FoldAscii(a[i]) != FoldAscii(b[i]))
            return false;
    return true;
}

inline bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && EqualsIgnoringCase(text.substr(0, prefix.size()), prefix);
}
