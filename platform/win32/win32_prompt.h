// Questions and notices in the system's message box, owned by the program's
// main window and titled with the program's name, "Veilmark"; the default
// beep.
#pragma once

#include "platform/prompt.h"
#include "platform/win32/win32.h"

class Win32Prompt final : public IPrompt {
public:
    // The window that owns the boxes; none until the main window exists.
    void SetOwner(HWND owner) { m_owner = owner; }

    int Show(std::string_view text, std::uint32_t flags) override;
    void Beep() override;

private:
    HWND m_owner = nullptr;
};
