#include "settings/labels.h"

#include "lang/texts.h"

std::string LoadLabel(const IStringTable& strings, int languageBase, const OptionLabel& label)
{
    if (label.offset < 0)
        return Text(label.literal, LanguageOf(languageBase));
    return strings.Load(static_cast<unsigned>(languageBase + label.offset));
}
