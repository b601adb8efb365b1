// What a message handler answers: the message handled, with its result, or
// declined, so that the default processing runs as if there were no handler
// (the dialog manager's for a dialog, the next procedure of the chain for a
// subclassed control). No handler calls DefWindowProc itself.
#pragma once

#include "platform/win32/win32.h"

struct MessageResult {
    bool handled;
    LRESULT value;
};

inline constexpr MessageResult Declined() { return {false, 0}; }
inline constexpr MessageResult Handled(LRESULT value = 0) { return {true, value}; }
