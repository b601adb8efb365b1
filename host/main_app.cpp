// The one application object and the program's entry point.
#include "host/main_app.h"

#include "app/main_dlg.h"
#include "cli/command_line.h"
#include "host/main_dialog_window.h"
#include "platform/win32/resource_string_table.h"
#include "platform/win32/text.h"
#include "platform/win32/win32.h"
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

// The system as the program's layers see it: every port on real Windows.
struct Win32Ports {
    explicit Win32Ports(Language language)
        : strings(GetModuleHandleW(nullptr)), dialogs(language), files(language)
    {
    }

    TargetSystem Target() { return {registry, version, folders}; }
    HostMachine Host() { return {prompt, shell, clock, desktop, dialogs, files}; }

    ResourceStringTable strings;
    Win32Registry registry;
    Win32Prompt prompt;
    Win32Shell shell;
    Win32VersionInfo version;
    Win32Clock clock;
    Win32Desktop desktop;
    Win32DialogHost dialogs;
    Win32SystemFolders folders;
    Win32Files files;
};

}  // namespace

BOOL CMainApp::InitInstance()
{
    // The dialog template holds a tree-view control: its window class must
    // be registered before the template is created.
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&controls);

    Win32Ports ports(m_language);
    CMainDlg dlg({ports.strings, ports.Target(), ports.Host(), m_language});
    MainDialogWindow window(dlg, ports.prompt, ports.dialogs, m_language);
    window.DoModal(nullptr);
    return FALSE;
}

int CMainApp::RunCommandLine(const std::vector<std::string>& words)
{
    Win32Ports ports(m_language);
    Win32Console console;
    cli::CommandLineServices services{ports.Target(), ports.Host(), ports.strings, console, m_language};
    return cli::RunCommandLine(words, services);
}

void CMainApp::ChooseLanguage(std::optional<Language> chosen)
{
    m_language = chosen.value_or(LanguageForUser(GetUserDefaultUILanguage()));
}

Language ProgramLanguage() { return theApp.UiLanguage(); }

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int)
{
    // With a command the program runs unattended and shows no window;
    // /lang alone only chooses the dialog's language.
    const std::vector<std::string> words = cli::SplitCommandLine(WideToUtf8(commandLine ? commandLine : L""));
    theApp.ChooseLanguage(std::nullopt);
    const cli::ParsedCommand parsed = cli::ParseCommand(words, theApp.UiLanguage());
    if (!parsed.error.empty() || parsed.command.row)
        return theApp.RunCommandLine(words);
    theApp.ChooseLanguage(parsed.command.language);
    theApp.InitInstance();
    return 0;
}
