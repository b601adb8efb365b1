#include "settings/language.h"

const char* PickLiteral(int languageBase, const char* german, const char* chinese)
{
    return languageBase == kLanguageBaseGerman ? german : chinese;
}

std::string LoadLabel(const IStringTable& strings, int languageBase, const OptionLabel& label)
{
    if (label.offset < 0)
        return PickLiteral(languageBase, label.german, label.chinese);
    return strings.Load(static_cast<unsigned>(languageBase + label.offset));
}
