// The console of a run from the command line. The program is a GUI program,
// which Windows starts without a console: its output goes to the handles it
// was started with when the caller redirected them, else to the console of
// the process that started it (cmd.exe, a script), attached for the purpose.
#pragma once

#include "platform/console.h"
#include "platform/win32/win32.h"

class Win32Console final : public IConsole {
public:
    Win32Console();
    ~Win32Console() override;

    void Write(std::string_view text) override { WriteTo(m_output, text); }
    void WriteError(std::string_view text) override { WriteTo(m_error, text); }

private:
    // A console gets UTF-16; a file or a pipe UTF-8. Lines end in CR LF.
    static void WriteTo(HANDLE handle, std::string_view text);

    HANDLE m_output = nullptr;
    HANDLE m_error = nullptr;
    HANDLE m_console = INVALID_HANDLE_VALUE;  // the parent's, when attached
};
