#include "settings/profile.h"

#include <algorithm>

#include "lang/texts.h"
#include "settings/text.h"

namespace settings {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

const CatalogueEntry* FindOption(std::string_view name)
{
    for (const CatalogueEntry& entry : Catalogue())
        if (EqualsIgnoringCase(entry.name, name))
            return &entry;
    return nullptr;
}

ProfileResult ParseProfile(std::string_view text, Language language)
{
    ProfileResult result;
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        text.remove_prefix(kByteOrderMark.size());

    int messengerLine = 0;
    int number = 0;
    for (std::size_t start = 0; start <= text.size(); ++number) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string_view line = Trimmed(text.substr(start, end - start));
        start = end + 1;
        const int lineNumber = number + 1;
        if (line.empty() || line.front() == '#')
            continue;

        const CatalogueEntry* entry = FindOption(line);
        std::string error;
        if (!entry) {
            error = Text(TextId::UnknownOptionKey, language, {line});
        } else if (entry->kind == OptionKind::Group) {
            error = Text(TextId::OptionIsGroup, language, {entry->name});
        } else if (entry->parent == OptionKey::MessengerGroup) {
            if (messengerLine != 0 && !result.selection[entry->key])
                error = Text(TextId::SecondMessengerChoice, language, {entry->name, std::to_string(messengerLine)});
            messengerLine = messengerLine ? messengerLine : lineNumber;
        }
        if (!error.empty()) {
            result.errorLine = lineNumber;
            result.error = std::move(error);
            return result;
        }
        result.selection.Select(entry->key);
    }
    return result;
}

}  // namespace settings
