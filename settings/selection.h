// Which options a pass carries out: taken from the dialog's tree, named as
// a preset, or read from a profile.
#pragma once

#include <array>
#include <cstddef>

#include "settings/catalogue.h"

namespace settings {

class Selection {
public:
    // What the recommended-selection command ticks: every option that the
    // tree starts checked or chosen. RemoveSupportUsers only where the
    // edition has it.
    static Selection Recommended(bool homeEdition);
    // The recommended selection and the two expert options.
    static Selection Expert(bool homeEdition);

    bool operator[](OptionKey key) const { return m_selected[static_cast<std::size_t>(key)]; }
    // Selects or clears an option outright, as a selection made without
    // the tree does.
    void Select(OptionKey key, bool selected = true) { m_selected[static_cast<std::size_t>(key)] = selected; }
    // The options of this selection whose settings are of `scope`.
    Selection Within(Scope scope) const;

private:
    std::array<bool, kOptionCount> m_selected{};
};

}  // namespace settings
