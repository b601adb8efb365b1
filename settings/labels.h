// The tree labels of the options in one language: the string table row at
// the language base + the option's label offset, or, for the two options
// without a row, the text of the label's id in the base's language.
#pragma once

#include <string>

#include "lang/languages.h"
#include "platform/string_table.h"
#include "settings/catalogue.h"

std::string LoadLabel(const IStringTable& strings, int languageBase, const OptionLabel& label);

// The labels of one language, as the passes that name options need them.
struct OptionLabels {
    const IStringTable& strings;
    int languageBase;

    std::string Of(OptionKey key) const { return LoadLabel(strings, languageBase, CatalogueEntryOf(key).label); }
    Language language() const { return LanguageOf(languageBase); }
};
