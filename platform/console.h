// Port: the text output of a run from the command line, to the console or
// the files the program was started with.
#pragma once

#include <string_view>

class IConsole {
public:
    IConsole() = default;
    IConsole(const IConsole&) = delete;
    IConsole& operator=(const IConsole&) = delete;
    virtual ~IConsole() = default;

    // UTF-8 text; "\n" ends a line.
    virtual void Write(std::string_view text) = 0;
    // The same, for messages about errors.
    virtual void WriteError(std::string_view text) = 0;
};
