// A profile: a saved selection, as an administrator writes it in Notepad.
// UTF-8 with or without a byte-order mark, LF or CRLF line ends; one option
// key per line (case does not matter), blank lines and lines starting with
// '#' ignored; of the Messenger group at most one key.
#pragma once

#include <string>
#include <string_view>

#include "lang/languages.h"
#include "settings/selection.h"

namespace settings {

struct ProfileResult {
    Selection selection;
    // 0 when the profile is sound; else the line (from 1) that is not, and why.
    int errorLine = 0;
    std::string error;
};

// Errors are told in `language`.
ProfileResult ParseProfile(std::string_view text, Language language);

// The option whose catalogue name is `name`, ignoring case.
const CatalogueEntry* FindOption(std::string_view name);

}  // namespace settings
