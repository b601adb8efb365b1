#include "actions/media_player_run.h"

#include "actions/wait_dlg.h"
#include "settings/registry_ops.h"

namespace actions {

namespace {

constexpr const char* kWaitText = "為了設定組態，現在必須載入 MediaPlayer，";
constexpr const char* kWaitTextSecondLine = "\n10 秒鐘後將自動關閉該程式...";
constexpr std::string_view kPlayerTitle = "Windows Media Player";
constexpr std::uint32_t kFirstWaitMs = 10000;
constexpr std::uint32_t kPollMs = 1000;
constexpr int kMaxPolls = 15;

// The player's folder: "Installation Directory" of the registry, or where
// the system installs it when that cannot be read.
std::string PlayerDirectory(const ActionServices& services)
{
    const auto directory = ReadRegistryText(services.registry, RegistryRoot::LocalMachine,
                                            "Software\\Microsoft\\MediaPlayer", "Installation Directory");
    return directory ? *directory : JoinPath(services.folders.ProgramFilesDirectory(), "Windows Media Player");
}

}  // namespace

bool RunMediaPlayerOnce(const ActionServices& services)
{
    const std::string directory = PlayerDirectory(services);
    // By its full path: a wmplayer.exe in the current folder must not run.
    const auto player = services.shell.Launch(JoinPath(directory, "wmplayer.exe"), {}, directory, kShowForceMinimize);
    services.clock.Sleep(kFirstWaitMs);
    for (int polls = 0; polls < kMaxPolls;) {
        services.clock.Sleep(kPollMs);
        ++polls;
        if (services.desktop.FindWindowByTitle(kPlayerTitle))
            break;
    }

    const TopWindow window = services.desktop.FindWindowByTitle(kPlayerTitle);
    if (window && services.desktop.SendCloseMessage(window) != 0 && player)
        player->Terminate(0);
    return player != nullptr;
}

void ConfigureMediaPlayer(const ActionServices& services)
{
    CWaitDlg wait(services.dialogs);
    wait.Create();
    wait.SetText(std::string(kWaitText) + std::string(22, ' ') + kWaitTextSecondLine + std::string(24, ' '));
    wait.ShowWindow();
    RunMediaPlayerOnce(services);
}

}  // namespace actions
