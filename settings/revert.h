// The way back: a backup (or any .reg file of the same few values) imported
// by the program itself. Only what the passes change may be in it: values
// of the options' keys, set or deleted, and the Alexa key re-created with
// its values. A file with anything else is refused whole.
#pragma once

#include <string>
#include <vector>

#include "lang/languages.h"
#include "platform/registry.h"
#include "settings/reg_import.h"

namespace settings {

// 0 when every entry may be carried out; else the line of the first that
// may not, with the reason in `error`, told in `language`.
int CheckRevertable(const std::vector<RegEntry>& entries, std::string& error, Language language);

struct RevertResult {
    const RegEntry* entry;
    bool done;
    // "restored", "deleted", "already absent" (the same in every
    // language, for scripts), or why not, told in the language of the revert.
    std::string outcome;
};

// Carries out the entries in order: the Alexa key made when its section
// comes, values set and deleted in their keys. One result per value.
std::vector<RevertResult> Revert(IRegistry& registry, const std::vector<RegEntry>& entries, Language language);

}  // namespace settings
