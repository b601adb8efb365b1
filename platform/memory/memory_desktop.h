// Top-level windows that come up at a given time of a MemoryClock, and
// answer the close message as they are told to.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/desktop.h"
#include "platform/memory/memory_clock.h"

class MemoryDesktop final : public IDesktop {
public:
    explicit MemoryDesktop(const MemoryClock& clock) : m_clock(clock) {}
    void LogTo(EventLog* log) { m_log = log; }

    // A window titled `title`, there from `fromMs` on the clock. Its close
    // handler answers `closeAnswer`; 0 (handled) closes it.
    void AddWindow(std::string title, std::uint64_t fromMs, std::intptr_t closeAnswer)
    {
        m_windows.push_back({std::move(title), fromMs, closeAnswer, false});
    }
    int Searches() const { return m_searches; }

    TopWindow FindWindowByTitle(std::string_view title) override
    {
        ++m_searches;
        for (std::size_t i = 0; i < m_windows.size(); ++i) {
            const Window& window = m_windows[i];
            if (window.title == title && m_clock.Slept() >= window.from && !window.closed)
                return reinterpret_cast<TopWindow>(i + 1);
        }
        return nullptr;
    }

    std::intptr_t SendCloseMessage(TopWindow handle) override
    {
        Window& window = m_windows.at(reinterpret_cast<std::size_t>(handle) - 1);
        Record(m_log, "close \"" + window.title + "\"");
        window.closed = window.closeAnswer == 0;
        return window.closeAnswer;
    }

private:
    struct Window {
        std::string title;
        std::uint64_t from;
        std::intptr_t closeAnswer;
        bool closed;
    };

    const MemoryClock& m_clock;
    std::vector<Window> m_windows;
    int m_searches = 0;
    EventLog* m_log = nullptr;
};
