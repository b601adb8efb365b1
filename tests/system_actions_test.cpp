// The system actions on fakes: what each shows, launches and waits for, in
// order, with a clock that never sleeps.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "actions/wait_dlg.h"
#include "tests/memory_main_dlg.h"

namespace {

using Events = std::vector<std::string>;
constexpr RegistryRoot HKLM = RegistryRoot::LocalMachine;
constexpr const char* kVersionKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
constexpr const char* kPlayerKey = "Software\\Microsoft\\MediaPlayer";

const std::string kChineseWait =
    "Microsoft Messenger 即將解除\n安裝，請稍候。若系統要求重新\n啟動，請您不要拒絕。" + std::string(25, ' ');
const std::string kGermanWait =
    "Bitte warten, während MS Messenger\ndeinstalliert wird. Starten Sie das\nSystem erst neu, wenn Veilmark\nfertig ist!";
const std::string kPlayerWait = "為了設定組態，現在必須載入 MediaPlayer，" + std::string(22, ' ') +
                                "\n10 秒鐘後將自動關閉該程式..." + std::string(24, ' ');

class SystemActionsTest : public ::testing::Test {
protected:
    SystemActionsTest()
    {
        m.registry.PutText(HKLM, kVersionKey, "SystemRoot", "C:\\WINDOWS");
        m.registry.PutText(HKLM, kPlayerKey, "Installation Directory", "C:\\Program Files\\Windows Media Player");
        m.Build();
    }

    // The Media Player run with the player's window there from `windowFromMs`
    // (never, when negative), answering the close message with `closeAnswer`.
    void RunPlayer(long long windowFromMs, std::intptr_t closeAnswer = 0)
    {
        if (windowFromMs >= 0)
            m.desktop.AddWindow("Windows Media Player", static_cast<std::uint64_t>(windowFromMs), closeAnswer);
        m.dialog.ConfigureMediaPlayer();
    }

    MemoryMainDlg m;
};

TEST_F(SystemActionsTest, NoToTheMessengerQuestionShowsAndStartsNothing)
{
    m.prompt.Answer(kAnswerNo);
    m.dialog.RemoveMessenger();
    ASSERT_EQ(1u, m.prompt.History().size());
    EXPECT_EQ("您選擇要解除安裝 MS Messenger，對嗎？" + std::string(21, ' '), m.prompt.History()[0].text);
    EXPECT_EQ(4u, m.prompt.History()[0].flags);
    EXPECT_TRUE(m.log.Events().empty());
}

TEST_F(SystemActionsTest, YesRunsTheInstallerHiddenByFullPathBehindTheWaitBoxFor10Seconds)
{
    m.prompt.Answer(kAnswerYes);
    m.dialog.RemoveMessenger();
    EXPECT_EQ((Events{
                  "modeless 203",
                  "text 1001: " + kChineseWait,
                  "show 203",
                  "launch C:\\WINDOWS\\system32\\RunDll32.exe | "
                  "advpack.dll,LaunchINFSection C:\\WINDOWS\\INF\\msmsgs.inf,BLC.Remove | C:\\WINDOWS | 0",
                  "sleep 10000",
                  "release C:\\WINDOWS\\system32\\RunDll32.exe",
                  "destroy 203",
              }),
              m.log.Events());
}

TEST_F(SystemActionsTest, TheMessengerWaitTextFollowsTheLanguageBaseAndAMissingSystemRootTheSystem)
{
    m.dialog.SetLanguageBase(1);
    m.registry.RemoveTree(HKLM, kVersionKey);
    m.folders.windows = "D:\\WINNT";
    m.folders.system = "D:\\WINNT\\system32";
    m.dialog.RemoveMessenger();  // any answer but No goes on
    ASSERT_EQ(1u, m.dialogs.Dialogs().size());
    EXPECT_EQ(kGermanWait, m.dialogs.Dialogs()[0].texts.at(1001));
    ASSERT_EQ(1u, m.shell.Starts().size());
    EXPECT_EQ("D:\\WINNT\\system32\\RunDll32.exe", m.shell.Starts()[0].file);
    EXPECT_EQ("advpack.dll,LaunchINFSection D:\\WINNT\\INF\\msmsgs.inf,BLC.Remove", m.shell.Starts()[0].parameters);
    EXPECT_EQ("D:\\WINNT", m.shell.Starts()[0].directory);

    m.dialog.SetLanguageBase(60);
    m.dialog.RemoveMessenger();
    EXPECT_EQ(kChineseWait, m.dialogs.Dialogs()[1].texts.at(1001));
}

TEST_F(SystemActionsTest, APlayerFoundOnTheFirstPollIsClosedAfter11Seconds)
{
    RunPlayer(5000);
    EXPECT_EQ((Events{
                  "modeless 203",
                  "text 1001: " + kPlayerWait,
                  "show 203",
                  "launch C:\\Program Files\\Windows Media Player\\wmplayer.exe |  | "
                  "C:\\Program Files\\Windows Media Player | 11",
                  "sleep 10000",
                  "sleep 1000",
                  "close \"Windows Media Player\"",
                  "release C:\\Program Files\\Windows Media Player\\wmplayer.exe",
                  "destroy 203",
              }),
              m.log.Events());
    EXPECT_EQ(11000u, m.clock.Slept());
}

TEST_F(SystemActionsTest, APlayerNeverFoundIsLeftAloneAfter25Seconds)
{
    RunPlayer(-1);
    EXPECT_EQ(25000u, m.clock.Slept());
    EXPECT_EQ(16, m.desktop.Searches()) << "15 polls and the last look";
    ASSERT_EQ(1u, m.shell.Starts().size());
    EXPECT_FALSE(m.shell.Starts()[0].terminatedWith);
    EXPECT_TRUE(m.shell.Starts()[0].released);
}

TEST_F(SystemActionsTest, APlayerFoundLaterStopsThePolling)
{
    RunPlayer(14500);
    EXPECT_EQ(15000u, m.clock.Slept());
}

TEST_F(SystemActionsTest, OnlyAPlayerThatDoesNotHandleTheCloseMessageIsTerminated)
{
    RunPlayer(0, 0);
    EXPECT_FALSE(m.shell.Starts().at(0).terminatedWith);

    RunPlayer(0, 1);
    EXPECT_EQ(0u, m.shell.Starts().at(1).terminatedWith.value_or(99));
}

TEST_F(SystemActionsTest, APlayerWithoutItsInstallationDirectoryStartsFromProgramFiles)
{
    m.registry.RemoveTree(HKLM, kPlayerKey);
    m.folders.programFiles = "E:\\Programme";
    m.shell.FailLaunches(true);  // and a launch that fails: nothing to terminate
    RunPlayer(0, 1);
    ASSERT_EQ(1u, m.shell.Starts().size());
    EXPECT_EQ("E:\\Programme\\Windows Media Player\\wmplayer.exe", m.shell.Starts()[0].file);
    EXPECT_EQ("E:\\Programme\\Windows Media Player", m.shell.Starts()[0].directory);
    EXPECT_EQ(11000u, m.clock.Slept());
}

TEST_F(SystemActionsTest, TheConsoleOpensByFullPathBeforeTheGuidanceDialogRuns)
{
    m.dialog.OpenUserManager();
    EXPECT_EQ((Events{
                  "launch C:\\WINDOWS\\system32\\lusrmgr.msc |  |  | 1",
                  "modal 209",
                  "text 1046: 現在請選取 [本機使用者和群組] | [使用者]，並刪除\n下列兩個使用者，否則 MS 的傢伙隨時可能造訪您\n的電腦 ;-)" +
                      std::string(23, ' '),
                  "run 209",
                  "destroy 209",
                  "release C:\\WINDOWS\\system32\\lusrmgr.msc",
              }),
              m.log.Events());
    EXPECT_EQ(245u, m.dialogs.Dialogs().at(0).bitmaps.at(1053));
}

TEST_F(SystemActionsTest, TheWaitBoxStaysOnEnterAndEscapeAndWithoutAWindowTheActionGoesOn)
{
    {
        CWaitDlg wait(m.dialogs);
        ASSERT_TRUE(wait.Create());
        EXPECT_TRUE(m.dialogs.UserOf(0).Press(kIdOk));
        EXPECT_TRUE(m.dialogs.UserOf(0).Press(kIdCancel));
    }
    m.dialogs.FailCreation(true);
    m.prompt.Answer(kAnswerYes);
    m.dialog.RemoveMessenger();
    EXPECT_EQ(1u, m.shell.Starts().size());
    EXPECT_EQ(10000u, m.clock.Slept());
}

}  // namespace
