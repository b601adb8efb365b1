// The apply pass: every option selected in the tree carried out, as the
// Start button asks. The registry steps are done here; the steps that run
// programs of the system are asked of the caller.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "platform/prompt.h"
#include "settings/language.h"
#include "settings/option_tree.h"
#include "settings/registry_ops.h"

namespace settings {

// The system actions the pass calls; each blocks until it is done.
class IApplyActions {
public:
    virtual void ConfigureMediaPlayer() = 0;
    virtual void RemoveMessenger() = 0;
    virtual void OpenUserManager() = 0;

protected:
    ~IApplyActions() = default;
};

// Which options are selected, taken from the tree before the pass acts: a
// check item when it is checked (images 1, 5 and 12), a radio item when it
// is the chosen one. An option without an item is not selected.
class Selection {
public:
    static Selection Of(const CTreeOptionsCtrl& tree, const OptionItems& items);
    bool operator[](OptionKey key) const { return m_selected[static_cast<std::size_t>(key)]; }
    // Selects or clears an option outright, as a selection made without
    // the tree does.
    void Select(OptionKey key, bool selected = true) { m_selected[static_cast<std::size_t>(key)] = selected; }

private:
    std::array<bool, kOptionCount> m_selected{};
};

// Runs Media Player once when one of its options is selected and its
// settings are not in effect yet, then carries out every selected option in
// the pass's order. Returns the result line of each write or delete that
// failed, named by the option's label; a value or key that is not there to
// delete is no failure.
std::vector<std::string> ApplySettings(RegistryOps& registry, const Selection& selection, bool homeEdition,
                                       IApplyActions& actions, const OptionLabels& labels);

// The closing question, with the failures above it; true when the user
// wants the status checked again.
bool AskToCheckStatus(IPrompt& prompt, const std::vector<std::string>& failures);

}  // namespace settings
