// The options as the dialog's tree shows them: the tree item of every
// option, the tree built from the catalogue, the selection read from it,
// the expert command's unlocking, and the status check's result painted on it.
#pragma once

#include <array>
#include <cstddef>

#include "platform/tree_view.h"
#include "settings/catalogue.h"
#include "settings/labels.h"
#include "settings/selection.h"
#include "settings/status_check.h"
#include "treeopts/tree_options_ctrl.h"

// The tree item of every option, by key; null where the option is not in
// the tree (RemoveSupportUsers on the home edition) or before it is built.
class OptionItems {
public:
    TreeItem Of(OptionKey key) const { return m_items[static_cast<std::size_t>(key)]; }
    void Set(OptionKey key, TreeItem item) { m_items[static_cast<std::size_t>(key)] = item; }

private:
    std::array<TreeItem, kOptionCount> m_items{};
};

namespace option_tree {

// Replaces the tree's content with every option in its initial state and
// returns the items; on the home edition RemoveSupportUsers is left out.
// Groups are expanded.
OptionItems Build(CTreeOptionsCtrl& tree, const OptionLabels& labels, bool homeEdition);

// The options the tree selects, before a pass acts: a check item when it is
// checked (images 1, 5 and 12), a radio item when it is the chosen one. An
// option without an item is not selected.
settings::Selection SelectionOf(const CTreeOptionsCtrl& tree, const OptionItems& items);

// Makes the expert options (DisableTaskSchedulerService, RemoveAlexaEntry)
// selectable and unticked, whatever state they were in.
void EnableExpertOptions(CTreeOptionsCtrl& tree, const OptionItems& items);

// Shows the status check's result: an option off already is done and locked
// (image 5), one still on or unknown is selected (image 12), except an
// expert option the user has not unlocked, which stays locked; a Messenger
// radio whose value is gone can no longer be chosen.
void ShowStatus(CTreeOptionsCtrl& tree, const OptionItems& items, const settings::SystemStatus& status);

}  // namespace option_tree
