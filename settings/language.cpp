#include "settings/language.h"

#include "settings/text.h"

namespace {

// Primary language ids, with the values Windows gives them.
constexpr std::uint16_t kPrimaryChinese = 0x04;
constexpr std::uint16_t kPrimaryGerman = 0x07;

}  // namespace

Language LanguageOf(int languageBase)
{
    switch (languageBase) {
    case kLanguageBaseGerman:
        return Language::German;
    case kLanguageBaseEnglish:
        return Language::English;
    default:
        return Language::Chinese;
    }
}

int LanguageBaseOf(Language language)
{
    switch (language) {
    case Language::German:
        return kLanguageBaseGerman;
    case Language::English:
        return kLanguageBaseEnglish;
    case Language::Chinese:
        break;
    }
    return kLanguageBaseChinese;
}

Language LanguageForUser(std::uint16_t uiLanguage)
{
    switch (uiLanguage & 0x3FF) {
    case kPrimaryChinese:
        return Language::Chinese;
    case kPrimaryGerman:
        return Language::German;
    default:
        return Language::English;
    }
}

std::optional<Language> LanguageNamed(std::string_view name)
{
    for (Language language : {Language::Chinese, Language::German, Language::English})
        if (EqualsIgnoringCase(name, language == Language::Chinese ? "zh" : language == Language::German ? "de" : "en"))
            return language;
    return std::nullopt;
}

std::uint16_t ResourceLanguageOf(Language language)
{
    switch (language) {
    case Language::German:
        return 0x0407;
    case Language::English:
        return 0x0409;
    case Language::Chinese:
        break;
    }
    return 0x0404;
}

const char* HelpFileName(Language language)
{
    switch (language) {
    case Language::German:
        return "Veilmark_de.chm";
    case Language::English:
        return "Veilmark_en.chm";
    case Language::Chinese:
        break;
    }
    return "Veilmark.chm";
}
