// The end-to-end tests' program: veilmark.exe from the command line or the
// environment, and the test prefix set so that windows close at once.
//
// Usage: veilmark_e2e.exe [gtest options] [--veilmark-exe=PATH | PATH]
//   or with the path in the environment variable VEILMARK_EXE; screenshots go
//   to the folder in VEILMARK_SCREENSHOTS, if set. A Unix path is taken as a
//   path on Wine's Z: drive.
#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>

#include "tests/win/e2e/app_driver.h"
#include "tests/win/e2e/registry_state.h"
#include "tests/win/test_files.h"

namespace {

std::wstring g_program;

bool RunsOnWine()
{
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

std::wstring FromEnvironment(const wchar_t* name)
{
    const wchar_t* value = _wgetenv(name);
    return value ? value : L"";
}

}  // namespace

const std::wstring& ProgramUnderTest() { return g_program; }

int wmain(int argc, wchar_t** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // What GoogleTest leaves is ours: the program's path, which wins over the environment.
    for (int i = 1; i < argc; ++i) {
        const std::wstring argument = argv[i];
        const std::wstring option = L"--veilmark-exe=";
        g_program = argument.rfind(option, 0) == 0 ? argument.substr(option.size()) : argument;
    }
    if (g_program.empty())
        g_program = FromEnvironment(L"VEILMARK_EXE");
    g_program = WindowsPath(g_program);

    // Without a window manager (the tests' private X server) Wine waits two
    // seconds for every window it hides, as it would for the manager to
    // withdraw it; windows it leaves unmanaged hide at once. Programs read
    // this when they start, so it holds for every veilmark.exe started here.
    std::optional<RegistryValueOverride> unmanaged;
    if (RunsOnWine()) {
        unmanaged.emplace(HKEY_CURRENT_USER, L"Software\\Wine\\X11 Driver", L"Managed");
        std::string error;
        if (!unmanaged->Set(L"N", error))
            std::cerr << "Windows stay managed (" << error << "); closing them takes longer.\n";
    }
    return RUN_ALL_TESTS();
}
