// Texts chosen by the language base: 1 selects German, any other value
// (60 in practice) Chinese.
#pragma once

#include <string>

#include "platform/string_table.h"
#include "settings/catalogue.h"

inline constexpr int kLanguageBaseGerman = 1;
inline constexpr int kLanguageBaseChinese = 60;

// The German text when the language base is 1, otherwise the Chinese one.
const char* PickLiteral(int languageBase, const char* german, const char* chinese);

// A tree label: the string table row at language base + offset, or the
// literal of the language where the option has no row.
std::string LoadLabel(const IStringTable& strings, int languageBase, const OptionLabel& label);
