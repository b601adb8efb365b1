// Port: the top-level windows of the desktop, of any program, as the Media
// Player run looks for the player's window and closes it.
#pragma once

#include <cstdint>
#include <string_view>

// A top-level window. Null names none.
using TopWindow = struct TopWindowOpaque*;

class IDesktop {
public:
    IDesktop() = default;
    IDesktop(const IDesktop&) = delete;
    IDesktop& operator=(const IDesktop&) = delete;
    virtual ~IDesktop() = default;

    // A top-level window whose title is exactly `title`, of any class; null
    // when there is none.
    virtual TopWindow FindWindowByTitle(std::string_view title) = 0;
    // Sends the window the close message and waits for its answer: 0 when
    // the window handled it.
    virtual std::intptr_t SendCloseMessage(TopWindow window) = 0;
};
