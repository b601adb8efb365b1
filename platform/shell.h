// Port: the shell, which opens documents and starts programs by file name.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/process.h"

// Show states, with the values Windows gives them.
enum ShowCommand : int {
    kShowHide = 0,
    kShowNormal = 1,
    kShowForceMinimize = 11,
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
    // Starts `file` with the shell's default action for it; empty parameters
    // or directory mean none. Returns the process that came of it, held
    // until the returned object goes; null when there is none (the launch
    // failed, or a program already running took the file).
    virtual std::unique_ptr<IProcess> Launch(std::string_view file, std::string_view parameters,
                                             std::string_view directory, int show) = 0;
    // The directory the program itself was started from, without a trailing
    // backslash.
    virtual std::string ProgramDirectory() const = 0;
};
