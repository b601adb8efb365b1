// A console that keeps what is written to it.
#pragma once

#include <string>

#include "platform/console.h"

class MemoryConsole final : public IConsole {
public:
    const std::string& Output() const { return m_output; }
    const std::string& Errors() const { return m_errors; }

    void Write(std::string_view text) override { m_output += text; }
    void WriteError(std::string_view text) override { m_errors += text; }

private:
    std::string m_output;
    std::string m_errors;
};
