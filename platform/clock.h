// Port: the fixed waits of the system actions, and the local time of day
// that names the backups.
#pragma once

#include <cstdint>

struct LocalTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

class IClock {
public:
    IClock() = default;
    IClock(const IClock&) = delete;
    IClock& operator=(const IClock&) = delete;
    virtual ~IClock() = default;

    // Returns after `milliseconds`. Meanwhile the program's windows stay
    // painted and take no input: what the user types or clicks is dropped.
    virtual void Sleep(std::uint32_t milliseconds) = 0;
    virtual LocalTime Now() const = 0;
};
