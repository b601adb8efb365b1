// veilmark-offline run in the test's own process, on the in-memory
// console and clock (2026-12-07 15:30:12), in English; and what apply
// expert should leave in a drive's hives.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "offline/offline_run.h"
#include "platform/builtin/builtin_string_table.h"
#include "platform/memory/memory_clock.h"
#include "platform/memory/memory_console.h"
#include "settings/apply_settings.h"
#include "tests/memory_main_dlg.h"
#include "tests/offline/xp_drive.h"
#include "tests/registry_states.h"

struct Finished {
    int exitCode;
    std::string output;
    std::string errors;
};

inline Finished RunOffline(const std::vector<std::string>& words,
                           std::function<void(std::string_view)> beforeCommitStep = nullptr)
{
    MemoryConsole console;
    MemoryClock clock;
    BuiltinStringTable strings;
    offline::OfflineServices services{console, clock, strings, Language::English, std::move(beforeCommitStep), nullptr};
    const int exitCode = offline::Run(words, services);
    return {exitCode, console.Output(), console.Errors()};
}

// How the profile's registry, as reged reads the hives of the drive below
// `driveRoot`, differs from a drive seeded with everything on, after apply
// expert on the in-memory registry (or as seeded); empty when it does not.
inline std::string DifferencesFromApplyExpert(const std::string& driveRoot, const std::string& profile,
                                              bool applied = true)
{
    MemoryRegistry expected;
    SeedEverythingOn(expected, profile);
    RegistryOps ops(expected);
    NoApplyActions actions;
    if (applied)
        settings::ApplySettings(ops, settings::Selection::Expert(false), false, actions);
    MemoryRegistry actual;
    ReadWithReged(driveRoot, profile, actual);
    return registry_states::Differences(registry_states::Take(expected), registry_states::Take(actual));
}
