#include "settings/selection.h"

namespace settings {

Selection Selection::Recommended(bool homeEdition)
{
    Selection selection;
    for (const CatalogueEntry& entry : Catalogue()) {
        const bool onThisEdition = !(homeEdition && entry.availability == Availability::NotHomeEdition);
        selection.Select(entry.key, onThisEdition && (entry.initial == InitialState::Checked ||
                                                      entry.initial == InitialState::Selected));
    }
    return selection;
}

Selection Selection::Expert(bool homeEdition)
{
    Selection selection = Recommended(homeEdition);
    for (const CatalogueEntry& entry : Catalogue())
        if (IsExpertOption(entry))
            selection.Select(entry.key);
    return selection;
}

Selection Selection::Within(Scope scope) const
{
    Selection within = *this;
    for (const CatalogueEntry& entry : Catalogue())
        if (ScopeOf(entry.key) != scope)
            within.Select(entry.key, false);
    return within;
}

}  // namespace settings
