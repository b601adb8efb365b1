#include "lang/languages.h"

#include "platform/utf8.h"

namespace {

// The row that `matches`, if any.
template <typename Matches>
std::optional<Language> Find(Matches matches)
{
    for (const LanguageRow& row : kLanguages)
        if (matches(row))
            return row.language;
    return std::nullopt;
}

}  // namespace

Language LanguageOf(int languageBase)
{
    return Find([&](const LanguageRow& row) { return row.base == languageBase; }).value_or(kFirstLanguage);
}

Language LanguageForUser(std::uint16_t uiLanguage)
{
    // The primary language is the low ten bits of a Windows language id.
    const auto primary = static_cast<std::uint16_t>(uiLanguage & 0x3FF);
    return Find([&](const LanguageRow& row) { return row.users == primary; }).value_or(kLanguageOfOtherUsers);
}

Language LanguageOfLocale(std::string_view locale)
{
    return Find([&](const LanguageRow& row) { return locale.starts_with(row.tag); }).value_or(kLanguageOfOtherUsers);
}

std::optional<Language> LanguageNamed(std::string_view tag)
{
    return Find([&](const LanguageRow& row) { return EqualsIgnoringCase(tag, row.tag); });
}
