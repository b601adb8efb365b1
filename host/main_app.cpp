// The one application object and the program's entry point.
#include "host/main_app.h"

#include "app/main_dlg.h"
#include "cli/command_line.h"
#include "host/main_dialog.h"
#include "platform/win32/resource_string_table.h"
#include "platform/win32/win32.h"
#include "platform/win32/text.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_console.h"
#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_dialog_host.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_prompt.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_system_folders.h"
#include "platform/win32/win32_version_info.h"

namespace {

CMainApp theApp;

}  // namespace

BOOL CMainApp::InitInstance()
{
    // The dialog template holds a tree-view control: its window class must
    // be registered before the template is created.
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&controls);

    const HINSTANCE module = GetModuleHandleW(nullptr);
    ResourceStringTable strings(module);
    Win32Registry registry;
    Win32Prompt prompt;
    Win32Shell shell;
    Win32VersionInfo version;
    Win32Clock clock;
    Win32Desktop desktop;
    Win32DialogHost dialogs;
    Win32SystemFolders folders;
    CMainDlg dlg({strings, registry, prompt, shell, version, clock, desktop, dialogs, folders});
    MainDialog window(dlg, prompt, dialogs);
    window.DoModal(nullptr);
    return FALSE;
}

int CMainApp::RunCommandLine(const std::vector<std::string>& words)
{
    const HINSTANCE module = GetModuleHandleW(nullptr);
    ResourceStringTable strings(module);
    Win32Registry registry;
    Win32Prompt prompt;
    Win32Shell shell;
    Win32VersionInfo version;
    Win32Clock clock;
    Win32Desktop desktop;
    Win32DialogHost dialogs;
    Win32SystemFolders folders;
    Win32Console console;
    Win32Files files;
    cli::CommandLineServices services{registry, version, strings, console, files,
                                      {registry, prompt, shell, clock, desktop, dialogs, folders}};
    return cli::RunCommandLine(words, services);
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int)
{
    // With arguments the program runs unattended and shows no window.
    const std::vector<std::string> words = cli::SplitCommandLine(WideToUtf8(commandLine ? commandLine : L""));
    if (!words.empty())
        return theApp.RunCommandLine(words);
    theApp.InitInstance();
    return 0;
}
