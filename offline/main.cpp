// veilmark-offline: the passes of veilmark.exe on a Windows XP installation
// that is not running, from Linux.
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "offline/offline_arguments.h"
#include "offline/offline_run.h"
#include "platform/builtin/builtin_string_table.h"
#include "platform/posix/posix_clock.h"
#include "platform/posix/posix_console.h"

int main(int argc, char** argv)
{
    // The language of the user's locale, as the C library reads it.
    const char* locale = nullptr;
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"})
        if (!locale || !*locale)
            locale = std::getenv(variable);
    PosixConsole console;
    PosixClock clock;
    BuiltinStringTable strings;
    offline::OfflineServices services{console, clock, strings,
                                      LanguageOfLocale(locale ? locale : ""), nullptr, nullptr};
    // A line per phase of the work on disk images, for a person watching.
    if (isatty(STDERR_FILENO))
        services.progress = [&console](const std::string& line) { console.WriteError(line + "\n"); };
    return offline::Run(std::vector<std::string>(argv + 1, argv + argc), services);
}
