// The languages the program speaks, and the language base that stands for
// each: the first string table id of its tree labels. A tree label is the
// row at language base + the option's label offset.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "res/resource.h"

enum class Language { Chinese, German, English };

inline constexpr int kLanguageBaseGerman = IDS_GERMAN_BASE;
inline constexpr int kLanguageBaseChinese = IDS_CHINESE_BASE;
inline constexpr int kLanguageBaseEnglish = IDS_ENGLISH_BASE;

// 1: German; the English base: English; any other value: Chinese.
Language LanguageOf(int languageBase);
int LanguageBaseOf(Language language);

// The language for the user's interface language (a Windows language id):
// any Chinese is Chinese, German is German, every other language English.
Language LanguageForUser(std::uint16_t uiLanguage);
// "zh", "de" or "en", as /lang names them; nothing for any other word.
std::optional<Language> LanguageNamed(std::string_view name);
// The Windows language id of the language's resources: Traditional
// Chinese (Taiwan), German (Germany), English (United States).
std::uint16_t ResourceLanguageOf(Language language);
// The help file of the language, beside the program: Veilmark.chm,
// Veilmark_de.chm or Veilmark_en.chm.
const char* HelpFileName(Language language);
