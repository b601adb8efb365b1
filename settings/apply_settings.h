// The apply pass: every selected option carried out in the pass's order, as
// the Start button and /apply ask. The registry steps are done here; the
// steps that run programs of the system are asked of the caller. The pass
// asks the user nothing and says nothing: it tells what each step did.
#pragma once

#include <vector>

#include "settings/backup.h"
#include "settings/labels.h"
#include "settings/reg_file.h"
#include "settings/registry_ops.h"
#include "settings/selection.h"
#include "settings/step_result.h"

namespace settings {

// The system actions the pass calls; each blocks until it is done and says
// how it ended.
class IApplyActions {
public:
    virtual StepResult ConfigureMediaPlayer() = 0;
    virtual StepResult RemoveMessenger() = 0;
    virtual StepResult OpenUserManager() = 0;

protected:
    ~IApplyActions() = default;
};

// Runs Media Player once when one of its options is selected and its
// settings are not in effect yet, then carries out every selected option in
// the pass's order. Returns every step that ran, in order. A value or key
// that is not there to delete is no failure; one that is there and shut is.
std::vector<StepResult> ApplySettings(RegistryOps& registry, const Selection& selection, bool homeEdition,
                                      IApplyActions& actions);

// Writes the pass's registry changes for `selection` into `file`, in the
// pass's order and with the same data; each step that runs a program stands
// in it as a comment naming the option.
void ExportSettings(const Selection& selection, const OptionLabels& labels, RegFile& file);

// What the pass may change for `selection`: each selected option's value,
// and the whole Alexa key.
std::vector<BackupTarget> ApplyTargets(const Selection& selection);

}  // namespace settings
