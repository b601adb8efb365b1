#include "app/option_tree.h"

#include "treeopts/state_image.h"

namespace option_tree {

OptionItems Build(CTreeOptionsCtrl& tree, const OptionLabels& labels, bool homeEdition)
{
    tree.DeleteAllItems();
    OptionItems items;
    for (const CatalogueEntry& entry : Catalogue()) {
        if (entry.availability == Availability::NotHomeEdition && homeEdition)
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

settings::Selection SelectionOf(const CTreeOptionsCtrl& tree, const OptionItems& items)
{
    settings::Selection selection;
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

void EnableExpertOptions(CTreeOptionsCtrl& tree, const OptionItems& items)
{
    for (const CatalogueEntry& entry : Catalogue()) {
        if (!IsExpertOption(entry))
            continue;
        const TreeItem item = items.Of(entry.key);
        BOOL checked = 0;
        tree.IsChecked(item, checked);
        tree.SetCheckEnabled(item, 1);
        if (checked)
            tree.SetCheckState(item, 0);
    }
}

void ShowStatus(CTreeOptionsCtrl& tree, const OptionItems& items, const settings::SystemStatus& status)
{
    // In the order the check read them.
    for (const settings::OptionStatus& option : status) {
        const TreeItem item = items.Of(option.key);
        const StatusRule rule = CatalogueEntryOf(option.key).status.rule;
        const bool off = option.state == settings::OptionState::Off;
        if (rule == StatusRule::MessengerGone) {
            // Only a missing value acts: the radio can no longer be chosen.
            if (off) {
                tree.SelectRadioByIndex(items.Of(CatalogueEntryOf(option.key).parent), 0);
                tree.SetRadioEnabled(item, 0);
            }
            continue;
        }
        BOOL enabled = 0;
        if (rule != StatusRule::Equal)
            tree.IsCheckEnabled(item, enabled);
        if (off) {
            tree.SetCheckState(item, 1);
            tree.SetCheckEnabled(item, 0);
        } else if (rule == StatusRule::Equal || enabled) {
            // An expert option the user has not enabled stays locked.
            tree.SetItemImage(item, ImgActive);
        }
    }
}

}  // namespace option_tree
