// Port: a process the program started, held until this object goes (on
// Windows, its handle is closed then; the process itself runs on).
#pragma once

#include <cstdint>

class IProcess {
public:
    IProcess() = default;
    IProcess(const IProcess&) = delete;
    IProcess& operator=(const IProcess&) = delete;
    virtual ~IProcess() = default;

    // Ends the process with `exitCode`; false when that failed.
    virtual bool Terminate(std::uint32_t exitCode) = 0;
};
