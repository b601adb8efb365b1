// Texts chosen by the language base: 1 selects German, any other value
// (60 in practice) Chinese.
#pragma once

#include <string>

#include "platform/string_table.h"
#include "res/resource.h"
#include "settings/catalogue.h"

inline constexpr int kLanguageBaseGerman = IDS_GERMAN_BASE;
inline constexpr int kLanguageBaseChinese = IDS_CHINESE_BASE;

// The German text when the language base is 1, otherwise the Chinese one.
const char* PickLiteral(int languageBase, const char* german, const char* chinese);

// A tree label: the string table row at language base + offset, or the
// literal of the language where the option has no row.
std::string LoadLabel(const IStringTable& strings, int languageBase, const OptionLabel& label);

// The labels of one language, as the passes that name options need them.
struct OptionLabels {
    const IStringTable& strings;
    int languageBase;

    std::string Of(OptionKey key) const { return LoadLabel(strings, languageBase, CatalogueEntryOf(key).label); }
};
