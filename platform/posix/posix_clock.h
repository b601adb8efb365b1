// The clock of a Linux program: the local time that names the backups.
#pragma once

#include <ctime>
#include <thread>

#include "platform/clock.h"

class PosixClock final : public IClock {
public:
    void Sleep(std::uint32_t milliseconds) override
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    }
    LocalTime Now() const override
    {
        const std::time_t now = std::time(nullptr);
        std::tm local{};
        localtime_r(&now, &local);
        return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
    }
};
