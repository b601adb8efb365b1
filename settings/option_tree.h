// The option tree as the settings engine sees it: the tree item of every
// option, and the pass that fills the tree from the catalogue.
#pragma once

#include <array>
#include <cstddef>

#include "platform/tree_view.h"
#include "settings/catalogue.h"
#include "settings/language.h"
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

namespace settings {

// Replaces the tree's content with every option in its initial state and
// returns the items; on the home edition RemoveSupportUsers is left out.
// Groups are expanded.
OptionItems BuildOptionTree(CTreeOptionsCtrl& tree, const OptionLabels& labels, bool homeEdition);

}  // namespace settings
