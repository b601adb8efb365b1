// A clock that never waits: each sleep moves its time on at once. Its time
// of day stands still, where a test sets it.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/clock.h"
#include "platform/memory/event_log.h"

class MemoryClock final : public IClock {
public:
    void LogTo(EventLog* log) { m_log = log; }
    // Milliseconds slept since the clock was made.
    std::uint64_t Slept() const { return m_now; }
    LocalTime timeOfDay{2026, 12, 7, 15, 30, 12};
    const std::vector<std::uint32_t>& Sleeps() const { return m_sleeps; }

    void Sleep(std::uint32_t milliseconds) override
    {
        m_now += milliseconds;
        m_sleeps.push_back(milliseconds);
        Record(m_log, "sleep " + std::to_string(milliseconds));
    }

    LocalTime Now() const override { return timeOfDay; }

private:
    std::uint64_t m_now = 0;
    std::vector<std::uint32_t> m_sleeps;
    EventLog* m_log = nullptr;
};
