// Port: the shell, which opens documents and starts programs by file name.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Show states, with the values Windows gives them.
enum ShowCommand : int {
    kShowHide = 0,
    kShowNormal = 1,
};

class IShell {
public:
    IShell() = default;
    IShell(const IShell&) = delete;
    IShell& operator=(const IShell&) = delete;
    virtual ~IShell() = default;

    // Opens `file` with `verb`; empty parameters or directory mean none.
    // Returns the shell's result: above 32 on success.
    virtual std::intptr_t Execute(std::string_view verb, std::string_view file, std::string_view parameters,
                                  std::string_view directory, int show) = 0;
    // The directory the program itself was started from, without a trailing
    // backslash.
    virtual std::string ProgramDirectory() const = 0;
};
