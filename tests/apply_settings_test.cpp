// The Start button from end to end on the in-memory registry: what is
// written, deleted and run, in which order, for which selection; the
// closing question; the second press.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/memory/memory_main_window.h"
#include "tests/memory_main_dlg.h"
#include "treeopts/state_image.h"

namespace {

using K = OptionKey;
using Events = std::vector<std::string>;
constexpr RegistryRoot HKCU = RegistryRoot::CurrentUser;
constexpr RegistryRoot HKLM = RegistryRoot::LocalMachine;
constexpr const char* kPlayerPrefs = "Software\\Microsoft\\MediaPlayer\\Preferences";
constexpr const char* kExtensions = "SOFTWARE\\Microsoft\\Internet Explorer\\Extensions";
constexpr const char* kAlexa = "SOFTWARE\\Microsoft\\Internet Explorer\\Extensions\\{c95fe080-8f5d-11d2-a20b-00aa003c157a}";
constexpr const char* kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string kQuestion =
    "已套用您選擇的「設定值」，請問您現在是否要\n檢查「系統狀態」？" + std::string(23, ' ');

class ApplySettingsTest : public ::testing::Test {
protected:
    ApplySettingsTest() { m.PutEverythingOn(); }

    // The dialog up as the program starts it.
    void Start() { m.dialog.OnInitDialog(window); }
    // Presses Start; what it changed, launched and ran, in order.
    Events Press()
    {
        const std::size_t before = m.log.Events().size();
        m.dialog.OnCommand(IDC_START);
        Events changes;
        for (std::size_t i = before; i < m.log.Events().size(); ++i) {
            const std::string& event = m.log.Events()[i];
            for (const char* kind : {"set ", "delete ", "launch ", "modal "})
                if (event.rfind(kind, 0) == 0)
                    changes.push_back(event);
        }
        return changes;
    }
    void Toggle(K key)
    {
        window.TreeView()->Click(window.TreeView()->PointOn(m.dialog.Item(key), MemoryTreeView::Zone::Label));
    }
    // The item's image on the tree the window handed out.
    int Image(K key) const
    {
        int image = -1;
        window.TreeView()->GetItemImage(m.dialog.Item(key), image);
        return image;
    }
    std::vector<int> Images() const
    {
        std::vector<int> images;
        for (const CatalogueEntry& entry : Catalogue())
            images.push_back(Image(entry.key));
        return images;
    }
    const MemoryPrompt::Shown& LastBox() const { return m.prompt.History().back(); }

    MemoryMainDlg m;
    MemoryMainWindow window;
};

const std::string kPlayerLaunch =
    "launch C:\\Program Files\\Windows Media Player\\wmplayer.exe |  | C:\\Program Files\\Windows Media Player | 11";
const std::string kConsoleLaunch = "launch C:\\WINDOWS\\system32\\lusrmgr.msc |  |  | 1";

TEST_F(ApplySettingsTest, EveryStepRunsInItsOrderThenTheQuestionAndTheButtonBecomesReady)
{
    Start();
    m.dialog.OnExpertSettings();
    Toggle(K::DisableTaskSchedulerService);
    Toggle(K::RemoveAlexaEntry);
    Toggle(K::MessengerNoAutostart);
    m.prompt.Answer(kAnswerYes);
    EXPECT_EQ((Events{
                  kPlayerLaunch,
                  "set SilentAcquisition", "set SendUserGUID", "set UpgradeCodecPrompt", "set DoReport", "set ShowUI",
                  "set fAllowToGetHelp", "set NoScheduledUpdates", "set NoUpdateCheck", "set Type",
                  "set EnableNegotiate", "delete key {c95fe080-8f5d-11d2-a20b-00aa003c157a}", "set Start",
                  "set Start", "set Start", "set Start", "delete value MSMSGS", kConsoleLaunch, "modal 209",
              }),
              Press());
    EXPECT_EQ(kQuestion, LastBox().text);
    EXPECT_EQ(0x24u, LastBox().flags);
    EXPECT_EQ("就緒 ", window.StartCaption());

    EXPECT_EQ((std::vector<std::uint8_t>{0}), m.registry.Get(HKCU, kPlayerPrefs, "SendUserGUID")->data);
    EXPECT_EQ((std::vector<std::uint8_t>{'N', 'o', 'S', 'y', 'n', 'c', 0}),
              m.registry.Get(HKLM, "SYSTEM\\CurrentControlSet\\Services\\W32Time\\Parameters", "Type")->data);
    EXPECT_EQ(DwordBytes(4), m.registry.Get(HKLM, "SYSTEM\\CurrentControlSet\\Services\\Schedule", "Start")->data);
    EXPECT_FALSE(m.registry.HasKey(HKLM, kAlexa));
    EXPECT_TRUE(m.registry.HasKey(HKLM, kExtensions));
    EXPECT_FALSE(m.registry.Get(HKCU, kRun, "MSMSGS"));
    // Yes: the status check shows what the pass did.
    EXPECT_EQ(ImgDone, Image(K::NoErrorReporting));
    EXPECT_EQ(ImgDone, Image(K::RemoveAlexaEntry));
    EXPECT_EQ(0u, m.registry.OpenKeyCount());
}

TEST_F(ApplySettingsTest, DoneItemsAreWrittenAgainClearedAndLockedOnesAreNot)
{
    m.registry.PutDword(HKLM, "SOFTWARE\\Microsoft\\PCHealth\\ErrorReporting", "DoReport", 0);
    Start();
    ASSERT_EQ(ImgDone, Image(K::NoErrorReporting));
    Toggle(K::NoCriticalErrorReporting);
    ASSERT_EQ(ImgUnticked, Image(K::NoCriticalErrorReporting));
    ASSERT_EQ(ImgLocked, Image(K::RemoveAlexaEntry));
    const Events changes = Press();
    const auto has = [&](const std::string& event) { return std::count(changes.begin(), changes.end(), event); };
    EXPECT_EQ(1, has("set DoReport"));
    EXPECT_EQ(0, has("set ShowUI"));
    EXPECT_EQ(3, has("set Start")) << "the task scheduler stays locked";
    EXPECT_EQ(0, has("delete key {c95fe080-8f5d-11d2-a20b-00aa003c157a}"));
    EXPECT_TRUE(m.registry.HasKey(HKLM, kAlexa));
}

TEST_F(ApplySettingsTest, TheHomeEditionNeverOpensTheConsole)
{
    m.version.SetSuiteMask(0x0300);
    Start();
    const Events changes = Press();
    EXPECT_EQ(0, std::count(changes.begin(), changes.end(), kConsoleLaunch));
    EXPECT_EQ(0, std::count(changes.begin(), changes.end(), "modal 209"));
}

TEST_F(ApplySettingsTest, EachMessengerRadioDoesItsOwnStep)
{
    Start();
    Events changes = Press();  // no action: neither the Run value nor the installation
    EXPECT_EQ(0, std::count(changes.begin(), changes.end(), "delete value MSMSGS"));
    EXPECT_EQ(1u, m.prompt.History().size()) << "only the closing question";

    MemoryMainDlg other;
    MemoryMainWindow otherWindow;
    other.PutEverythingOn();
    other.dialog.OnInitDialog(otherWindow);
    otherWindow.TreeView()->Click(
        otherWindow.TreeView()->PointOn(other.dialog.Item(K::MessengerUninstall), MemoryTreeView::Zone::Label));
    other.prompt.Answer(kAnswerNo);  // declines the removal; the pass goes on
    other.dialog.OnCommand(IDC_START);
    ASSERT_EQ(2u, other.prompt.History().size());
    EXPECT_EQ("您選擇要解除安裝 MS Messenger，對嗎？" + std::string(21, ' '), other.prompt.History()[0].text);
    EXPECT_EQ(kQuestion, other.prompt.History()[1].text);
}

TEST_F(ApplySettingsTest, MediaPlayerRunsOnlyForASelectedOptionWhoseValueIsNotInEffect)
{
    // Selected, value 01: run before the first write.
    Start();
    Events changes = Press();
    ASSERT_FALSE(changes.empty());
    EXPECT_EQ(kPlayerLaunch, changes.front());

    // Selected, value already an empty text: not run.
    MemoryMainDlg empty;
    MemoryMainWindow emptyWindow;
    empty.PutEverythingOn();
    empty.registry.Put(HKCU, kPlayerPrefs, "SilentAcquisition", kRegBinary, {0});
    empty.dialog.OnInitDialog(emptyWindow);
    empty.dialog.OnCommand(IDC_START);
    for (const MemoryShell::Started& start : empty.shell.Starts())
        EXPECT_EQ(std::string::npos, start.file.find("wmplayer"));

    // None selected: not run, even with the preferences key missing.
    MemoryMainDlg none;
    MemoryMainWindow noneWindow;
    none.PutEverythingOn();
    none.registry.RemoveTree(HKCU, kPlayerPrefs);
    none.dialog.OnInitDialog(noneWindow);
    for (K key : {K::NoLicenceAcquisition, K::NoPlayerIdentification, K::NoCodecDownload})
        noneWindow.TreeView()->Click(noneWindow.TreeView()->PointOn(none.dialog.Item(key), MemoryTreeView::Zone::Label));
    none.dialog.OnCommand(IDC_START);
    for (const MemoryShell::Started& start : none.shell.Starts())
        EXPECT_EQ(std::string::npos, start.file.find("wmplayer"));
}

TEST_F(ApplySettingsTest, NoKeepsTheTreeAndASecondPressClosesWithoutWriting)
{
    Start();
    const std::vector<int> before = Images();
    m.prompt.Answer(kAnswerNo);
    Press();
    EXPECT_EQ(before, Images());
    EXPECT_EQ("就緒 ", window.StartCaption());
    EXPECT_FALSE(window.CloseRequested());

    const std::size_t boxes = m.prompt.History().size();
    EXPECT_TRUE(Press().empty());
    EXPECT_TRUE(window.CloseRequested());
    EXPECT_EQ(boxes, m.prompt.History().size());
}

TEST_F(ApplySettingsTest, FailedWritesAreNamedAboveTheQuestionAndNoKeyIsMade)
{
    m.registry.RemoveTree(HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Webcheck");
    Start();
    Press();
    EXPECT_EQ("停用已排程的更新:[ 無法開啟登錄機碼 ]\n\n" + kQuestion, LastBox().text);
    EXPECT_EQ(0x24u, LastBox().flags);
    EXPECT_FALSE(m.registry.HasKey(HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Webcheck"));
}

}  // namespace
