#include "run/command_table.h"

namespace run {

std::string OperandError(const Operands& operands, std::string_view command, const std::vector<std::string>& given,
                         Language language)
{
    if (operands.TakesAny())
        return {};
    if (given.size() < operands.Count())
        return Text(operands.Missing(given.size()), language, {command});
    if (given.size() > operands.Count())
        return Text(TextId::UnexpectedArgument, language, {given[operands.Count()]});
    return {};
}

}  // namespace run
