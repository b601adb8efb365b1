#include "settings/presets.h"

namespace settings {

void EnableExpertOptions(CTreeOptionsCtrl& tree, const OptionItems& items)
{
    for (OptionKey key : {OptionKey::DisableTaskSchedulerService, OptionKey::RemoveAlexaEntry}) {
        const TreeItem item = items.Of(key);
        BOOL checked = 0;
        tree.IsChecked(item, checked);
        tree.SetCheckEnabled(item, 1);
        if (checked)
            tree.SetCheckState(item, 0);
    }
}

}  // namespace settings
