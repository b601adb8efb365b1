// Where a run without the dialog reports: its messages on the console under
// the program's name, its report on the console and, when asked for, in a
// report file, in the user's language.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "lang/languages.h"
#include "platform/console.h"
#include "platform/files.h"
#include "run/report.h"

namespace run {

class RunOutput {
public:
    RunOutput(IConsole& console, std::string_view program, Language language)
        : m_console(console), m_program(program), m_language(language)
    {
    }

    IConsole& Console() { return m_console; }
    Language UiLanguage() const { return m_language; }

    // Tells why the run cannot go on ("PROGRAM: message") and returns kExitError.
    int Fail(const std::string& message);
    // Tells what the run leaves out, in the same way, and goes on.
    void Warn(const std::string& message);

    // Makes the report file at `path` (empty: none) before anything else is
    // done, so that a place where it cannot be written stops the run before
    // any change. False, told, when it cannot be made.
    bool StartReport(IFiles& files, const std::string& path);
    // Shows the report and saves it in the report file, if one was started;
    // `exitCode`, unless the saving fails.
    int Deliver(const Report& report, int exitCode);

private:
    IConsole& m_console;
    std::string m_program;
    Language m_language;
    std::unique_ptr<IOutputFile> m_reportFile;
    std::string m_reportPath;
};

}  // namespace run
