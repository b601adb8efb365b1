// The string table compiled into the program from res/string_table.inc:
// the same rows the resource script builds into the executable.
#pragma once

#include "platform/string_table.h"

class BuiltinStringTable final : public IStringTable {
public:
    std::string Load(unsigned id) const override;
};

struct StringRow {
    unsigned id;
    const char* text;
};

// Every row of the table, in id order.
const StringRow* BuiltinStringRows(std::size_t& count);
