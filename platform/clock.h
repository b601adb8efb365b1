// Port: the fixed waits of the system actions.
#pragma once

#include <cstdint>

class IClock {
public:
    IClock() = default;
    IClock(const IClock&) = delete;
    IClock& operator=(const IClock&) = delete;
    virtual ~IClock() = default;

    // Returns after `milliseconds`. Meanwhile the program's windows stay
    // painted and take no input: what the user types or clicks is dropped.
    virtual void Sleep(std::uint32_t milliseconds) = 0;
};
