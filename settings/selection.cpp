#include "settings/selection.h"

namespace settings {

Selection Selection::Of(const CTreeOptionsCtrl& tree, const OptionItems& items)
{
    Selection selection;
    for (const CatalogueEntry& entry : Catalogue()) {
        BOOL selected = 0;
        if (entry.kind == OptionKind::Check)
            tree.IsChecked(items.Of(entry.key), selected);
        else if (entry.kind == OptionKind::Radio)
            tree.IsRadioSelected(items.Of(entry.key), selected);
        selection.Select(entry.key, selected != 0);
    }
    return selection;
}

Selection Selection::Recommended(bool homeEdition)
{
    Selection selection;
    for (const CatalogueEntry& entry : Catalogue()) {
        const bool onThisEdition = !(homeEdition && entry.edition == Edition::NotHome);
        selection.Select(entry.key, onThisEdition && (entry.initial == InitialState::Checked ||
                                                      entry.initial == InitialState::Selected));
    }
    return selection;
}

Selection Selection::Expert(bool homeEdition)
{
    Selection selection = Recommended(homeEdition);
    for (const CatalogueEntry& entry : Catalogue())
        if (entry.initial == InitialState::ExpertLocked)
            selection.Select(entry.key);
    return selection;
}

}  // namespace settings
