#include "actions/media_player_run.h"

#include "actions/wait_dlg.h"
#include "lang/texts.h"
#include "settings/registry_ops.h"

namespace actions {

namespace {

constexpr std::string_view kPlayerTitle = "Windows Media Player";
constexpr std::uint32_t kFirstWaitMs = 10000;
constexpr std::uint32_t kPollMs = 1000;
constexpr int kMaxPolls = 15;

// The player's folder on the target: "Installation Directory" of its
// registry, or where the system installs it when that cannot be read.
std::string PlayerDirectory(const TargetSystem& target)
{
    const auto directory = ReadRegistryText(target.registry, RegistryRoot::LocalMachine,
                                            "Software\\Microsoft\\MediaPlayer", "Installation Directory");
    return directory ? *directory : JoinPath(target.folders.ProgramFilesDirectory(), "Windows Media Player");
}

}  // namespace

bool RunMediaPlayerOnce(const TargetSystem& target, const HostMachine& host)
{
    const std::string directory = PlayerDirectory(target);
    // By its full path: a wmplayer.exe in the current folder must not run.
    const auto player = host.shell.Launch(JoinPath(directory, "wmplayer.exe"), {}, directory, kShowForceMinimize);
    host.clock.Sleep(kFirstWaitMs);
    for (int polls = 0; polls < kMaxPolls;) {
        host.clock.Sleep(kPollMs);
        ++polls;
        if (host.desktop.FindWindowByTitle(kPlayerTitle))
            break;
    }

    const TopWindow window = host.desktop.FindWindowByTitle(kPlayerTitle);
    if (window && host.desktop.SendCloseMessage(window) != 0 && player)
        player->Terminate(0);
    return player != nullptr;
}

void ConfigureMediaPlayer(const TargetSystem& target, const HostMachine& host, Language language)
{
    CWaitDlg wait(host.dialogs);
    wait.Create();
    wait.SetText(Text(TextId::MediaPlayerWait, language));
    wait.ShowWindow();
    RunMediaPlayerOnce(target, host);
}

}  // namespace actions
