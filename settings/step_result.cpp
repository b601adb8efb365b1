#include "settings/step_result.h"

#include "settings/registry_ops.h"

namespace settings {

std::string FailureLine(const StepResult& result, const OptionLabels& labels)
{
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
