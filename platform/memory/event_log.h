// One ordered record of what several fakes were asked, for tests that check
// the order of an action's steps across ports.
#pragma once

#include <string>
#include <vector>

class EventLog {
public:
    void Add(std::string event) { m_events.push_back(std::move(event)); }
    const std::vector<std::string>& Events() const { return m_events; }

private:
    std::vector<std::string> m_events;
};

// Adds to the log when there is one.
inline void Record(EventLog* log, std::string event)
{
    if (log)
        log->Add(std::move(event));
}
