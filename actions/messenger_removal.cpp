#include "actions/messenger_removal.h"

#include "actions/wait_dlg.h"
#include "lang/texts.h"
#include "settings/registry_ops.h"

namespace actions {

namespace {

constexpr std::uint32_t kWaitMs = 10000;

}  // namespace

std::string SystemRoot(const TargetSystem& target)
{
    const auto root = ReadRegistryText(target.registry, RegistryRoot::LocalMachine,
                                       "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "SystemRoot");
    return root ? *root : target.folders.WindowsDirectory();
}

bool RunMessengerUninstaller(const TargetSystem& target, const HostMachine& host)
{
    const std::string systemRoot = SystemRoot(target);
    const std::string parameters = "advpack.dll,LaunchINFSection " + systemRoot + "\\INF\\msmsgs.inf,BLC.Remove";
    // By its full path: a RunDll32.exe in the current folder must not run.
    const auto installer = host.shell.Launch(JoinPath(target.folders.SystemDirectory(), "RunDll32.exe"),
                                                 parameters, systemRoot, kShowHide);
    // The installer is not waited for; it goes on by itself.
    host.clock.Sleep(kWaitMs);
    return installer != nullptr;
}

void RemoveMessenger(const TargetSystem& target, const HostMachine& host, Language language)
{
    if (host.prompt.Show(Text(TextId::MessengerQuestion, language), kPromptYesNo) == kAnswerNo)
        return;

    CWaitDlg wait(host.dialogs);
    wait.Create();
    wait.SetText(Text(TextId::MessengerWait, language));
    wait.ShowWindow();

    RunMessengerUninstaller(target, host);
}

}  // namespace actions
