// What one step of a pass did: the apply pass and the restore tell their
// callers step by step, and the callers show it (the dialog in its boxes,
// the command line as lines).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "settings/catalogue.h"
#include "settings/labels.h"
#include "settings/policy.h"
#include "settings/registry_ops.h"

namespace settings {

enum class StepOutcome {
    Done,
    Failed,       // `code`, `policy` or `reason` says why
    NeedsPerson,  // not done: it needs someone at the screen
    NeedsRunningSystem,  // not done: it runs a program of a system that is not running
};

struct StepResult {
    OptionKey key;  // MediaPlayerGroup for the Media Player run
    StepOutcome outcome = StepOutcome::Done;
    WriteCode code = WriteCode::Done;  // a failed registry step: the writer's result code
    std::string reason;     // a failed program step: what went wrong
    // A step that was carried out, but whose feature a policy keeps as it
    // was: on after the apply pass, off after the restore.
    PolicyDecision policy = {};
};

// The failure of a step that was carried out, when the policy `decision`
// keeps the feature from the step's effect.
StepResult UndoneByPolicy(OptionKey key, const PolicyDecision& decision);

inline StepResult DoneStep(OptionKey key) { return {key, StepOutcome::Done, WriteCode::Done, {}}; }

// A failed step as the user reads it: the writer's result line under the
// option's label, the policy that keeps the feature as it was, or the
// reason of a program step.
std::string FailureLine(const StepResult& result, const OptionLabels& labels);
// The lines of the steps that failed, in order.
std::vector<std::string> FailureLines(const std::vector<StepResult>& results, const OptionLabels& labels);

}  // namespace settings
