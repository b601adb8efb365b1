#include "settings/option_tree.h"

#include "treeopts/state_image.h"

namespace settings {

OptionItems BuildOptionTree(CTreeOptionsCtrl& tree, const OptionLabels& labels, bool homeEdition)
{
    tree.DeleteAllItems();
    OptionItems items;
    for (const CatalogueEntry& entry : Catalogue()) {
        if (entry.edition == Edition::NotHome && homeEdition)
            continue;
        const std::string label = labels.Of(entry.key);
        const TreeItem parent = items.Of(entry.parent);
        TreeItem item = nullptr;
        switch (entry.initial) {
        case InitialState::Expanded:
            item = tree.AddGroupItem(label, ImgGroup, nullptr);
            break;
        case InitialState::Checked:
            item = tree.AddCheckItem(label, parent, 1);
            break;
        case InitialState::ExpertLocked:
            item = tree.AddCheckItem(label, parent, 0);
            tree.SetCheckEnabled(item, 0);
            break;
        case InitialState::Selected:
        case InitialState::NotSelected:
            item = tree.AddRadioItem(label, parent, ToBool(entry.initial == InitialState::Selected));
            break;
        }
        items.Set(entry.key, item);
    }

    // Groups are expanded once their children are in: a tree view does not
    // keep a childless item expanded.
    for (const CatalogueEntry& entry : Catalogue())
        if (entry.kind == OptionKind::Group)
            tree.Expand(items.Of(entry.key));
    return items;
}

}  // namespace settings
