// A program's commands as a table: a row per command with what its parser
// needs (the command's name, the operands it takes, whether a report file
// may follow) and the function that runs it. A new command is a row and a
// function.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "lang/texts.h"
#include "platform/utf8.h"

namespace run {

// The operands a command takes, in order, each named by the text that says
// it is missing.
class Operands {
public:
    constexpr Operands() = default;
    constexpr Operands(TextId first) : m_missing{first}, m_count(1) {}
    constexpr Operands(TextId first, TextId second) : m_missing{first, second}, m_count(2) {}
    // Any words at all, which the command leaves unread (the usage).
    static constexpr Operands Any()
    {
        Operands any;
        any.m_any = true;
        return any;
    }

    constexpr bool TakesAny() const { return m_any; }
    constexpr std::size_t Count() const { return m_count; }
    constexpr TextId Missing(std::size_t operand) const { return m_missing[operand]; }

private:
    std::array<TextId, 2> m_missing{};
    std::size_t m_count = 0;
    bool m_any = false;
};

inline constexpr bool kTakesReport = true;

template <typename Handler>
struct CommandRow {
    std::string_view name;
    Operands operands;
    bool takesReport = false;
    Handler run;
};

// The row of `rows` named `name`, ASCII case ignored where `ignoreCase`;
// null when there is none.
template <typename Row>
const Row* FindCommand(std::span<const Row> rows, std::string_view name, bool ignoreCase)
{
    for (const Row& row : rows)
        if (ignoreCase ? EqualsIgnoringCase(row.name, name) : row.name == name)
            return &row;
    return nullptr;
}

// Whether `given` are the operands that `operands` asks for: the error of
// the first one missing (naming `command`, as the user wrote it) or of the
// first one too many, in `language`; empty when they fit.
std::string OperandError(const Operands& operands, std::string_view command, const std::vector<std::string>& given,
                         Language language);

}  // namespace run
