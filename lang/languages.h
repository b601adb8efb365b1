// The languages the program speaks: one row each (lang/languages.inc) with
// everything that tells one language from another, but its texts
// (lang/texts.cpp), its dialog templates (res/dialogs_TAG.rc), its tree
// labels (res/string_table.inc) and its help pages (help/TAG). Code asks the
// row; it never chooses with an `if` or a `switch` on the language.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

enum class Language : std::uint8_t {
#define LANGUAGE_ROW(name, tag, users, base, resources, help, codePage, locale) name,
#include "lang/languages.inc"
#undef LANGUAGE_ROW
};

struct LanguageRow {
    Language language;
    std::string_view tag;
    std::uint16_t users;  // the primary language id of the Windows interface languages that choose it
    // The language base: the string table id of its first tree label. A
    // tree label is the row at language base + the option's label offset.
    int base;
    std::uint16_t resources;  // the language id of its dialog templates and menu
    const char* helpFile;
    unsigned codePage;  // of the help file's contents
};

inline constexpr LanguageRow kLanguages[] = {
#define LANGUAGE_ROW(name, tag, users, base, resources, help, codePage, locale) \
    {Language::name, tag, users, base, resources, help, codePage},
#include "lang/languages.inc"
#undef LANGUAGE_ROW
};
inline constexpr std::size_t kLanguageCount = std::size(kLanguages);

// The program's first language: the one of a language base no row has, and
// the help file that every release has.
inline constexpr Language kFirstLanguage = kLanguages[0].language;
// The language of the users whose language the program does not speak.
inline constexpr Language kLanguageOfOtherUsers = Language::English;

constexpr const LanguageRow& RowOf(Language language) { return kLanguages[static_cast<std::size_t>(language)]; }

// The language whose base `languageBase` is; the first language for any other.
Language LanguageOf(int languageBase);
inline int LanguageBaseOf(Language language) { return RowOf(language).base; }
inline std::uint16_t ResourceLanguageOf(Language language) { return RowOf(language).resources; }
inline const char* HelpFileName(Language language) { return RowOf(language).helpFile; }

// The language for a Windows interface language id: the row of its primary
// language, else the other users' language.
Language LanguageForUser(std::uint16_t uiLanguage);
// The language of a Linux locale's name (LC_ALL, LC_MESSAGES or LANG): the
// row whose tag it begins with (zh_TW.UTF-8: Chinese); else the other
// users' language.
Language LanguageOfLocale(std::string_view locale);
// The language a tag names, as /lang and --lang take it, case ignored.
std::optional<Language> LanguageNamed(std::string_view tag);
