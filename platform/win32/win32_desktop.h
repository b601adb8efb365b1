// The desktop's top-level windows, through FindWindow and SendMessage.
#pragma once

#include "platform/desktop.h"

class Win32Desktop final : public IDesktop {
public:
    TopWindow FindWindowByTitle(std::string_view title) override;
    std::intptr_t SendCloseMessage(TopWindow window) override;
};
