#include "actions/messenger_removal.h"

#include "actions/wait_dlg.h"
#include "settings/language.h"
#include "settings/registry_ops.h"

namespace actions {

namespace {

constexpr const char* kQuestion = "您選擇要解除安裝 MS Messenger，對嗎？";
constexpr const char* kGermanWait =
    "Bitte Warten währen der MS Messenger\ndeinstalliert wird.\nBitte nicht der Aufforderung folgen\n"
    "das System neuzustarten!";
constexpr const char* kChineseWait = "Microsoft Messenger 即將解除\n安裝，請稍候。若系統要求重新\n啟動，請您不要拒絕。";
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

void RemoveMessenger(const TargetSystem& target, const HostMachine& host, int languageBase)
{
    if (host.prompt.Show(std::string(kQuestion) + std::string(21, ' '), kPromptYesNo) == kAnswerNo)
        return;

    CWaitDlg wait(host.dialogs);
    wait.Create();
    const bool german = languageBase == kLanguageBaseGerman;
    wait.SetText(german ? std::string(kGermanWait) : std::string(kChineseWait) + std::string(25, ' '));
    wait.ShowWindow();

    RunMessengerUninstaller(target, host);
}

}  // namespace actions
