// The clock of the actions' waits: the program's windows stay painted and
// take no input while it waits.
#pragma once

#include "platform/clock.h"

class Win32Clock final : public IClock {
public:
    void Sleep(std::uint32_t milliseconds) override;
    LocalTime Now() const override;
};
