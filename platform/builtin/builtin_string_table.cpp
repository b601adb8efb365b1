#include "platform/builtin/builtin_string_table.h"

#include <iterator>

namespace {

constexpr StringRow kRows[] = {
#define STRING_ROW(id, text) {id, text},
#include "res/string_table.inc"
#undef STRING_ROW
};

}  // namespace

std::string BuiltinStringTable::Load(unsigned id) const
{
    for (const StringRow& row : kRows)
        if (row.id == id)
            return row.text;
    return {};
}

const StringRow* BuiltinStringRows(std::size_t& count)
{
    count = std::size(kRows);
    return kRows;
}
