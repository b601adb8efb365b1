// The command line, on any text: split into words as the Windows runtime
// splits it and read as a command. Any words, quoted as Windows programs
// quote them, split back into the same words.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

// A word quoted so that the runtime reads it back: in quotes when it is
// empty or holds a space, tab or quote; backslashes doubled before a quote
// and before the closing one.
std::string Quote(const std::string& word)
{
    if (!word.empty() && word.find_first_of(" \t\"") == std::string::npos)
        return word;
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (char c : word) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(2 * backslashes, '\\');
    return quoted + "\"";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    FuzzedDataProvider data(bytes, size);
    if (data.ConsumeBool()) {
        const std::vector<std::string> words = cli::SplitCommandLine(data.ConsumeRemainingBytesAsString());
        const cli::ParsedCommand parsed = cli::ParseCommand(words, Language::Chinese);
        if (!parsed.error.empty())
            return 0;
        const cli::Command& command = parsed.command;
        Require(!command.row == (words.size() == (command.language ? 2u : 0u)),
                "only no words, or /lang and its language alone, open the dialog");
        if (command.row && !command.row->operands.TakesAny()) {
            Require(command.operands.size() == command.row->operands.Count(), "a command has the operands it takes");
            for (const std::string& operand : command.operands)
                Require(!operand.empty(), "an operand names something");
        }
        return 0;
    }

    std::vector<std::string> words;
    std::string line;
    while (data.remaining_bytes() > 0) {
        // A word of a command line holds no zero: the line would end there.
        words.push_back(WithoutZeros(data.ConsumeRandomLengthString(40)));
        line += (line.empty() ? "" : " ") + Quote(words.back());
    }
    Require(cli::SplitCommandLine(line) == words, "quoted words split back into the same words");
    return 0;
}
