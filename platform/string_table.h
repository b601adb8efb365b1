// Port: the program's string table, looked up by numeric id.
#pragma once

#include <string>

class IStringTable {
public:
    IStringTable() = default;
    IStringTable(const IStringTable&) = delete;
    IStringTable& operator=(const IStringTable&) = delete;
    virtual ~IStringTable() = default;

    // The UTF-8 text of string `id`, or an empty text when there is no such row.
    virtual std::string Load(unsigned id) const = 0;
};
