// The main dialog's start-up: its initialisation in order, the two platform
// checks, the help command and the minimised icon's place.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/icon_layout.h"
#include "platform/memory/memory_main_window.h"
#include "tests/memory_main_dlg.h"
#include "treeopts/state_image.h"

namespace {

using K = OptionKey;
using Calls = std::vector<std::string>;

constexpr const char* kVersionKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
constexpr const char* kWarningHead = "您的作業系統不是 Windows XP，建議您立即關閉此程式！      \n您目前所使用的作業系統是： ";
constexpr const char* kHelpMissing = "對不起，在執行目錄找不到說明檔        [Veilmark.chm]";

class MainDlgStartupTest : public ::testing::Test {
protected:
    MainDlgStartupTest() { SetProductName("Microsoft Windows XP"); }

    void SetProductName(std::string_view name)
    {
        m.registry.PutText(RegistryRoot::LocalMachine, kVersionKey, "ProductName", name);
    }

    BOOL Init() { return m.dialog.OnInitDialog(window); }

    int Image(K key) const
    {
        int image = -1;
        window.TreeView()->GetItemImage(m.dialog.Item(key), image);
        return image;
    }

    MemoryMainDlg m;
    MemoryMainWindow window;
};

TEST_F(MainDlgStartupTest, InitialisationRunsItsStepsInOrder)
{
    EXPECT_EQ(1, Init());
    EXPECT_EQ((Calls{"BindControls", "InitCommonControls", "SetLargeIcon", "AttachMenu 243", "SetTitle"}),
              window.Calls());
    EXPECT_EQ("Veilmark V3.13", window.Title());
    EXPECT_TRUE(m.prompt.History().empty()) << "Windows XP: no warning";
    EXPECT_EQ(60, m.dialog.LanguageBase());
    EXPECT_EQ(0, m.dialog.HomeEdition());
    // The tree is built on the bound control, its first group is the caret
    // item, and the status check has run (nothing in the registry: active).
    EXPECT_EQ(kOptionCount, window.TreeView()->ItemCount());
    EXPECT_EQ(m.dialog.Item(K::MediaPlayerGroup), window.TreeView()->GetSelectedItem());
    EXPECT_EQ("MediaPlayer 功能", window.TreeView()->GetItemText(m.dialog.FirstGroupItem()));
    EXPECT_EQ(ImgActive, Image(K::NoErrorReporting));
    EXPECT_EQ(0u, m.registry.OpenKeyCount());
    EXPECT_TRUE(window.TreeView()->IsRedrawOn());
}

TEST_F(MainDlgStartupTest, AnotherSystemIsWarnedAboutAndYesClosesAfterInitialisation)
{
    SetProductName("Microsoft Windows 2000");
    m.prompt.Answer(kAnswerYes);
    EXPECT_EQ(1, Init());
    ASSERT_EQ(1u, m.prompt.History().size());
    EXPECT_EQ(std::string(kWarningHead) + "Microsoft Windows 2000", m.prompt.History()[0].text);
    EXPECT_EQ(0x34u, m.prompt.History()[0].flags);
    // The close request is sent at once; the rest of the initialisation still runs.
    EXPECT_EQ((Calls{"BindControls", "InitCommonControls", "SetLargeIcon", "SendCloseRequest",
                     "AttachMenu 243", "SetTitle"}),
              window.Calls());
    EXPECT_EQ(ImgActive, Image(K::NoErrorReporting));
}

TEST_F(MainDlgStartupTest, NoKeepsTheProgramRunning)
{
    SetProductName("Microsoft Windows 2000");
    m.prompt.Answer(kAnswerNo);
    Init();
    EXPECT_EQ(1u, m.prompt.History().size());
    EXPECT_FALSE(window.CloseRequested());
}

TEST_F(MainDlgStartupTest, ProductNamesPassWhenTheyHoldEveryCharacterOfWindowsXp)
{
    const std::vector<std::pair<std::string, bool>> names = {
        {"Microsoft Windows XP", true},
        {"Microsoft Windows XP Professional", true},
        {"PX swodniW tfosorciM", true},            // every character, another order
        {"Microsoft Windows 2000", false},         // no X
        {"microsoft windows xp", false},           // the test is case-sensitive
        {"Microsoft Windows Server 2003", false},
        {"", false},
        {"Microsoft Windows XP" + std::string(107, '.'), true},  // 127 characters: fits the buffer
    };
    for (const auto& [name, passes] : names) {
        MemoryMainDlg fresh;
        fresh.registry.PutText(RegistryRoot::LocalMachine, kVersionKey, "ProductName", name);
        fresh.prompt.Answer(kAnswerNo);
        EXPECT_EQ(0, fresh.dialog.CheckProductName()) << name;
        EXPECT_EQ(passes ? 0u : 1u, fresh.prompt.History().size()) << '"' << name << '"';
    }
}

TEST_F(MainDlgStartupTest, OnlyTheTextBeforeTheZeroIsCompared)
{
    m.registry.Put(RegistryRoot::LocalMachine, kVersionKey, "ProductName", kRegSz,
                   {'W', 'i', 'n', ' ', '2', '0', '0', '0', 0, 'M', 'i', 'c', 'r', 'o', 's', 'o', 'f', 't', ' ',
                    'W', 'i', 'n', 'd', 'o', 'w', 's', ' ', 'X', 'P'});
    m.prompt.Answer(kAnswerYes);
    EXPECT_EQ(1, m.dialog.CheckProductName());
    EXPECT_EQ(std::string(kWarningHead) + "Win 2000", m.prompt.History().at(0).text);

    // Stored without a terminating zero: the text ends with the bytes read.
    m.registry.Put(RegistryRoot::LocalMachine, kVersionKey, "ProductName", kRegSz,
                   {'W', 'i', 'n', 'd', 'o', 'w', 's', ' ', 'M', 'E'});
    m.prompt.Answer(kAnswerNo);
    EXPECT_EQ(0, m.dialog.CheckProductName());
    EXPECT_EQ(std::string(kWarningHead) + "Windows ME", m.prompt.History().at(1).text);
}

TEST_F(MainDlgStartupTest, AnUnreadableProductNameIsNoReasonToWarn)
{
    // Over the 128-character buffer.
    SetProductName("Microsoft Windows 2000" + std::string(120, '.'));
    EXPECT_EQ(0, m.dialog.CheckProductName());
    // The value missing, then the whole key.
    m.registry.RemoveTree(RegistryRoot::LocalMachine, kVersionKey);
    m.registry.CreateKey(RegistryRoot::LocalMachine, kVersionKey);
    EXPECT_EQ(0, m.dialog.CheckProductName());
    m.registry.RemoveTree(RegistryRoot::LocalMachine, kVersionKey);
    EXPECT_EQ(0, m.dialog.CheckProductName());
    EXPECT_TRUE(m.prompt.History().empty());
    EXPECT_EQ(0u, m.registry.OpenKeyCount());
}

TEST_F(MainDlgStartupTest, EditionKindsAndTheHomeEditionFlag)
{
    struct Case {
        std::uint16_t suiteMask;
        bool queryFails;
        int kind;
    };
    for (const Case& c : {Case{0x0300, false, 1}, Case{0x0310, false, -1}, Case{0x0100, false, 2},
                          Case{0x0000, false, -1}, Case{0x0200, false, -1}, Case{0x0300, true, 0}}) {
        MemoryMainDlg fresh;
        MemoryMainWindow freshWindow;
        fresh.version.SetSuiteMask(c.suiteMask);
        fresh.version.SetFails(c.queryFails);
        EXPECT_EQ(c.kind, fresh.dialog.GetEditionKind()) << std::hex << c.suiteMask;
        fresh.dialog.OnInitDialog(freshWindow);
        EXPECT_EQ(c.kind == 1 ? 1 : 0, fresh.dialog.HomeEdition()) << std::hex << c.suiteMask;
        EXPECT_EQ(c.kind == 1, fresh.dialog.Item(K::RemoveSupportUsers) == nullptr);
    }
}

TEST_F(MainDlgStartupTest, HelpOpensTheFileBesideTheProgram)
{
    m.shell.SetProgramDirectory("D:\\Tools\\Veilmark");
    m.shell.SetResult(33);
    m.dialog.OnHelpIndex();
    ASSERT_EQ(1u, m.shell.Executed().size());
    const MemoryShell::Opened& launch = m.shell.Executed()[0];
    EXPECT_EQ("open", launch.verb);
    EXPECT_EQ("D:\\Tools\\Veilmark\\Veilmark.chm", launch.file);
    EXPECT_EQ("", launch.parameters);
    EXPECT_EQ("", launch.directory);
    EXPECT_EQ(kShowNormal, launch.show);
    EXPECT_TRUE(m.prompt.History().empty());
}

TEST_F(MainDlgStartupTest, HelpThatCannotBeOpenedBeepsAndSaysSo)
{
    for (std::intptr_t failure : {2, 0, 32}) {
        MemoryMainDlg fresh;
        fresh.shell.SetResult(failure);
        fresh.dialog.OnHelpIndex();
        ASSERT_EQ(2u, fresh.prompt.History().size()) << failure;
        EXPECT_EQ("<beep>", fresh.prompt.History()[0].text);
        EXPECT_EQ(kHelpMissing, fresh.prompt.History()[1].text);
        EXPECT_EQ(0u, fresh.prompt.History()[1].flags);
    }
}

TEST(IconLayoutTest, TheIconIsCentredRoundingTowardZero)
{
    constexpr IconOrigin even = CentredIconOrigin(100, 60, 32, 32);
    EXPECT_EQ(34, even.x);
    EXPECT_EQ(14, even.y);
    constexpr IconOrigin odd = CentredIconOrigin(101, 61, 32, 32);
    EXPECT_EQ(35, odd.x);
    EXPECT_EQ(15, odd.y);
    // A client area smaller than the icon: (-20 + 1) / 2 is -9, not -10.
    constexpr IconOrigin small = CentredIconOrigin(12, 12, 32, 32);
    EXPECT_EQ(-9, small.x);
    EXPECT_EQ(-9, small.y);
}

}  // namespace

namespace {

TEST(MainDlgCommandTest, EachBuiltCommandReachesItsHandler)
{
    MemoryMainDlg m;
    m.Build();
    EXPECT_TRUE(m.dialog.OnCommand(IDM_HELP_INDEX));
    EXPECT_EQ(1u, m.shell.Executed().size());

    m.prompt.Answer(kAnswerCancel);
    EXPECT_TRUE(m.dialog.OnCommand(IDM_RESET_STATUS));
    EXPECT_EQ(1u, m.prompt.History().size());

    EXPECT_TRUE(m.dialog.OnCommand(IDM_EXPERT_SETTINGS));
    EXPECT_EQ(ImgUnticked, m.Image(OptionKey::RemoveAlexaEntry));
    EXPECT_TRUE(m.dialog.OnCommand(IDM_RECOMMENDED));
    EXPECT_EQ(ImgLocked, m.Image(OptionKey::RemoveAlexaEntry));

    // OK and Cancel keep the dialog's defaults.
    for (unsigned id : {1u, 2u})
        EXPECT_FALSE(m.dialog.OnCommand(id)) << id;
}

}  // namespace
