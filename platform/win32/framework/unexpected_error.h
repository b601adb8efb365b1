// No C++ exception may cross a window or dialog procedure: USER32 calls
// them, and unwinding through its frames is undefined (it would skip the
// system's own cleanup, or not unwind at all). Every procedure of the
// framework is noexcept, so an exception that reaches one ends in
// std::terminate right there; the program's terminate handler (set in the
// host) calls EndAfterUnexpectedError. The program reports its errors as
// return codes, so such an exception is out of memory or a fault: it says
// so and ends, rather than go on from a half-done step with the registry
// half written. veilmark.exe itself is built without exceptions: there the
// runtime's failure paths call EndAfterUnexpectedError directly
// (host/runtime_failures.cpp).
#pragma once

#include "lang/languages.h"

// Tells the user, in `language`, that the program met an unexpected error
// and must end, and ends the process with exit code 3.
[[noreturn]] void EndAfterUnexpectedError(Language language) noexcept;
