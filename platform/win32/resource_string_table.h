// The string table read from the executable's resources.
#pragma once

#include "platform/string_table.h"
#include "platform/win32/win32.h"

class ResourceStringTable final : public IStringTable {
public:
    explicit ResourceStringTable(HINSTANCE module) : m_module(module) {}
    std::string Load(unsigned id) const override;

private:
    HINSTANCE m_module;
};
