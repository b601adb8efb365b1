// The console of a Linux program: its standard output and standard error.
#pragma once

#include <cstdio>

#include "platform/console.h"

class PosixConsole final : public IConsole {
public:
    void Write(std::string_view text) override { std::fwrite(text.data(), 1, text.size(), stdout); }
    void WriteError(std::string_view text) override
    {
        std::fflush(stdout);
        std::fwrite(text.data(), 1, text.size(), stderr);
    }
};
