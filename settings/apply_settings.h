// The apply pass: every option selected in the tree carried out, as the
// Start button asks. The registry steps are done here; the steps that run
// programs of the system are asked of the caller.
#pragma once

#include <string>
#include <vector>

#include "platform/prompt.h"
#include "settings/backup.h"
#include "settings/language.h"
#include "settings/reg_file.h"
#include "settings/registry_ops.h"
#include "settings/selection.h"

namespace settings {

// How a step of the pass ended.
enum class StepOutcome {
    Done,
    Failed,       // `line` says why
    NeedsPerson,  // not done: it needs someone at the screen
};

struct StepResult {
    OptionKey key;  // MediaPlayerGroup for the Media Player run
    StepOutcome outcome = StepOutcome::Done;
    std::string line;
};

inline StepResult DoneStep(OptionKey key) { return {key, StepOutcome::Done, {}}; }

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
// the pass's order. Returns every step that ran, in order; a failed write or
// delete carries the writer's result line, named by the option's label. A
// value or key that is not there to delete is no failure.
std::vector<StepResult> ApplySettings(RegistryOps& registry, const Selection& selection, bool homeEdition,
                                      IApplyActions& actions, const OptionLabels& labels);

// The result lines of the steps that failed.
std::vector<std::string> FailureLines(const std::vector<StepResult>& results);

// Writes the pass's registry changes for `selection` into `file`, in the
// pass's order and with the same data; each step that runs a program stands
// in it as a comment naming the option.
void ExportSettings(const Selection& selection, const OptionLabels& labels, RegFile& file);

// What the pass may change for `selection`: each selected option's value,
// and the whole Alexa key.
std::vector<BackupTarget> ApplyTargets(const Selection& selection);

// The closing question, with the failures above it; true when the user
// wants the status checked again.
bool AskToCheckStatus(IPrompt& prompt, const std::vector<std::string>& failures);

}  // namespace settings
