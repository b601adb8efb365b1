#include "settings/step_result.h"

#include "settings/registry_ops.h"

namespace settings {

StepResult UndoneByPolicy(OptionKey key, const PolicyDecision& decision)
{
    return {key, StepOutcome::Failed, WriteCode::Done, {}, decision};
}

std::string FailureLine(const StepResult& result, const OptionLabels& labels)
{
    if (result.policy.Decides()) {
        const TextId line =
            result.policy.force == PolicyForce::KeepsOn ? TextId::KeptOnByPolicyLine : TextId::KeptOffByPolicyLine;
        return Text(line, labels.language(), {labels.Of(result.key), PolicyPlace(*result.policy.value, labels.language())});
    }
    return result.code != WriteCode::Done ? WriteResultLine(result.code, labels.Of(result.key), labels.language())
                                          : result.reason;
}

std::vector<std::string> FailureLines(const std::vector<StepResult>& results, const OptionLabels& labels)
{
    std::vector<std::string> lines;
    for (const StepResult& result : results)
        if (result.outcome == StepOutcome::Failed)
            lines.push_back(FailureLine(result, labels));
    return lines;
}

}  // namespace settings
