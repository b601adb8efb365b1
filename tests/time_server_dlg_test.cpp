// The time server dialog and the legend before the status check, run from
// the main dialog's menu on the in-memory registry, with a user that picks,
// types and presses as a script says.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/memory_main_dlg.h"
#include "treeopts/state_image.h"

namespace {

using Entries = std::vector<std::string>;
using User = MemoryDialogHost::User;
constexpr RegistryRoot HKLM = RegistryRoot::LocalMachine;
constexpr const char* kServers = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\DateTime\\Servers";
constexpr const char* kParameters = "SYSTEM\\CurrentControlSet\\Services\\W32Time\\Parameters";
constexpr const char* kService = "SYSTEM\\CurrentControlSet\\Services\\W32Time";
const std::string kQuestion =
    "設定校時伺服器表示將啟用 Windows 的校時\n伺服器服務，讓您電腦的時間與網際網路的\n時間同步。您要啟用此服務嗎？" +
    std::string(36, ' ');

class TimeServerDlgTest : public ::testing::Test {
protected:
    TimeServerDlgTest()
    {
        m.registry.CreateKey(HKLM, kParameters);
        m.Build();
    }

    // The list of A and B, A the current server.
    void TwoServers()
    {
        m.registry.PutText(HKLM, kServers, "", "1");
        m.registry.PutText(HKLM, kServers, "1", "A");
        m.registry.PutText(HKLM, kServers, "2", "B");
    }

    // Runs the dialog from the menu; `script` acts while it is open.
    const MemoryDialogHost::Dialog& Run(std::function<void(User&)> script = {})
    {
        m.dialogs.WhileModal([script](User& user) {
            if (script)
                script(user);
            return kIdCancel;
        });
        EXPECT_TRUE(m.dialog.OnCommand(IDM_TIME_SERVER));
        return m.dialogs.Dialogs().back();
    }

    static Entries ListOf(const MemoryDialogHost::Dialog& dialog)
    {
        const auto found = dialog.lists.find(IDC_TIME_SERVERS);
        return found == dialog.lists.end() ? Entries{} : found->second;
    }
    static int SelectionOf(const MemoryDialogHost::Dialog& dialog)
    {
        const auto found = dialog.selections.find(IDC_TIME_SERVERS);
        return found == dialog.selections.end() ? -1 : found->second;
    }

    std::string Text(const char* key, const char* name) const
    {
        const auto value = m.registry.Get(HKLM, key, name);
        return value ? std::string(BytesAsText(value->data)) : "(missing)";
    }

    MemoryMainDlg m;
};

TEST_F(TimeServerDlgTest, TheListShowsTheServersWithTheCurrentOneSelectedAndBothButtonsDisabled)
{
    TwoServers();
    const auto& dialog = Run([](User& user) {
        EXPECT_FALSE(user.Shown().enabled.at(IDC_TIME_APPLY));
        EXPECT_FALSE(user.Shown().enabled.at(IDC_TIME_ADD));
        user.Pick(IDC_TIME_SERVERS, 1);
        EXPECT_TRUE(user.Shown().enabled.at(IDC_TIME_APPLY));
        EXPECT_FALSE(user.Shown().enabled.at(IDC_TIME_ADD));
        user.Type(IDC_TIME_ADDRESS, "");
        EXPECT_TRUE(user.Shown().enabled.at(IDC_TIME_ADD));
    });
    EXPECT_EQ(IDD_TIME_SERVER, dialog.templateId);
    EXPECT_EQ((Entries{"A", "B"}), ListOf(dialog));
}

TEST_F(TimeServerDlgTest, ApplyingBAfterYesWritesTheThreeKeys)
{
    TwoServers();
    m.prompt.Answer(kAnswerYes);
    Run([](User& user) {
        user.Pick(IDC_TIME_SERVERS, 1);
        EXPECT_TRUE(user.Press(IDC_TIME_APPLY));
    });
    ASSERT_EQ(1u, m.prompt.History().size());
    EXPECT_EQ(kQuestion, m.prompt.History()[0].text);
    EXPECT_EQ(4u, m.prompt.History()[0].flags);
    EXPECT_EQ("B,0x1", Text(kParameters, "NtpServer"));
    EXPECT_EQ("NTP", Text(kParameters, "Type"));
    EXPECT_EQ("2", Text(kServers, ""));
    EXPECT_EQ("B", Text(kServers, "2"));
    EXPECT_EQ(DwordBytes(2), m.registry.Get(HKLM, kService, "Start")->data);
    EXPECT_EQ(kRegSz, m.registry.Get(HKLM, kParameters, "NtpServer")->type);
    EXPECT_EQ(0u, m.registry.OpenKeyCount());
}

TEST_F(TimeServerDlgTest, AnAddedServerIsListedAndStoredUnderTheNextNumberWhenApplied)
{
    TwoServers();
    m.prompt.Answer(kAnswerYes);
    const auto& dialog = Run([](User& user) {
        user.Type(IDC_TIME_ADDRESS, "   ");
        user.Press(IDC_TIME_ADD);  // blank: no server
        user.Type(IDC_TIME_ADDRESS, "C");
        user.Press(IDC_TIME_ADD);
        EXPECT_EQ(0, user.Shown().selections.at(IDC_TIME_SERVERS)) << "the new entry is not selected";
        EXPECT_EQ("C", user.Shown().texts.at(IDC_TIME_ADDRESS)) << "the edit keeps its text";
        EXPECT_FALSE(user.Shown().enabled.at(IDC_TIME_APPLY));
        user.Pick(IDC_TIME_SERVERS, 2);
        user.Press(IDC_TIME_APPLY);
    });
    EXPECT_EQ((Entries{"A", "B", "C"}), ListOf(dialog));
    EXPECT_EQ("C", Text(kServers, "3"));
    EXPECT_EQ("3", Text(kServers, ""));
    EXPECT_EQ("C,0x1", Text(kParameters, "NtpServer"));
}

TEST_F(TimeServerDlgTest, NoToTheQuestionAndOkOrCancelWriteNothing)
{
    TwoServers();
    m.prompt.Answer(kAnswerNo);
    const auto& dialog = Run([](User& user) {
        user.Pick(IDC_TIME_SERVERS, 1);
        user.Press(IDC_TIME_APPLY);
        EXPECT_FALSE(user.Shown().ended) << "No leaves the dialog open";
        user.Press(kIdOk);
    });
    EXPECT_TRUE(dialog.ended);
    Run([](User& user) { user.Press(kIdCancel); });
    EXPECT_EQ("(missing)", Text(kParameters, "NtpServer"));
    EXPECT_EQ("1", Text(kServers, ""));
    EXPECT_FALSE(m.registry.Get(HKLM, kService, "Start"));
}

TEST_F(TimeServerDlgTest, OnlyADefaultValueNamingAListedServerSelectsIt)
{
    const std::vector<std::pair<std::string, int>> cases = {
        {"2", 1}, {"  +1", 0}, {"2x", 1}, {"abc", -1}, {"0", -1}, {"-1", -1}, {"3", -1}, {"99999999999999999999", -1},
    };
    for (const auto& [current, selected] : cases) {
        TwoServers();
        m.registry.PutText(HKLM, kServers, "", current);
        const auto& dialog = Run([](User& user) { EXPECT_FALSE(user.Shown().enabled.at(IDC_TIME_APPLY)); });
        EXPECT_EQ(selected, SelectionOf(dialog)) << '"' << current << '"';
        EXPECT_EQ((Entries{"A", "B"}), ListOf(dialog)) << '"' << current << '"';
    }
}

// The default value is looked up by name, and every numbered value is
// listed in the order of its number, whatever order the registry keeps.
TEST_F(TimeServerDlgTest, TheDefaultValueNeedNotComeFirstOrAtAll)
{
    m.registry.PutText(HKLM, kServers, "2", "B");
    m.registry.PutText(HKLM, kServers, "", "2");
    m.registry.PutText(HKLM, kServers, "1", "A");
    const auto& ordered = Run();
    EXPECT_EQ((Entries{"A", "B"}), ListOf(ordered));
    EXPECT_EQ(1, SelectionOf(ordered));

    m.registry.RemoveTree(HKLM, kServers);
    m.registry.PutText(HKLM, kServers, "1", "A");
    const auto& without = Run();
    EXPECT_EQ((Entries{"A"}), ListOf(without));
    EXPECT_EQ(-1, SelectionOf(without));
}

// Values anyone with rights may have written: each is passed over alone.
TEST_F(TimeServerDlgTest, ValuesThatDoNotFitOrHoldNoAddressArePassedOver)
{
    m.registry.PutText(HKLM, kServers, "", "2");
    m.registry.PutText(HKLM, kServers, "1", "A");
    m.registry.PutText(HKLM, kServers, "2", std::string(128, 'x'));         // over the buffer with its zero
    m.registry.PutText(HKLM, kServers, std::string(128, '7'), "long name");  // name over the buffer
    m.registry.Put(HKLM, kServers, "3", kRegSz, {'C'});                       // no terminator
    m.registry.PutDword(HKLM, kServers, "4", 5);                              // no text
    m.registry.PutText(HKLM, kServers, "5", " ");                             // blank
    m.registry.PutText(HKLM, kServers, "Backup", "D");                        // no number
    m.registry.PutText(HKLM, kServers, "6", "E");
    m.registry.PutText(HKLM, kServers, "07", "F");                            // not as Windows names them
    const auto& dialog = Run();
    EXPECT_EQ((Entries{"A", "C", "E"}), ListOf(dialog));
    EXPECT_EQ(-1, SelectionOf(dialog)) << "server 2 was passed over: no other takes its place";
}

// Where the numbers have gaps, each server is still stored under its own
// number, and an added one under a number that no value holds.
TEST_F(TimeServerDlgTest, EachServerKeepsItsOwnNumberAndAnAddedOneTakesAFreeNumber)
{
    m.registry.PutText(HKLM, kServers, "", "3");
    m.registry.PutText(HKLM, kServers, "1", "a");
    m.registry.PutText(HKLM, kServers, "3", "b");
    m.registry.PutText(HKLM, kServers, "4", "c");
    m.registry.PutText(HKLM, kServers, "7", " ");  // passed over, but its number is taken
    m.prompt.SetDefaultAnswer(kAnswerYes);
    const auto& dialog = Run([&](User& user) {
        EXPECT_EQ(1, user.Shown().selections.at(IDC_TIME_SERVERS)) << "b, number 3, is the current server";
        user.Pick(IDC_TIME_SERVERS, 1);
        user.Press(IDC_TIME_APPLY);
        EXPECT_EQ("3", Text(kServers, ""));
        EXPECT_EQ("b", Text(kServers, "3"));
        for (const char* address : {"d", "e"}) {
            user.Type(IDC_TIME_ADDRESS, address);
            user.Press(IDC_TIME_ADD);
        }
        user.Pick(IDC_TIME_SERVERS, 3);
        user.Press(IDC_TIME_APPLY);
        user.Pick(IDC_TIME_SERVERS, 4);
        user.Press(IDC_TIME_APPLY);
        user.Pick(IDC_TIME_SERVERS, 3);
        user.Press(IDC_TIME_APPLY);  // d again: under the number it got
    });
    EXPECT_EQ((Entries{"a", "b", "c", "d", "e"}), ListOf(dialog));
    EXPECT_EQ("8", Text(kServers, ""));
    EXPECT_EQ("d,0x1", Text(kParameters, "NtpServer"));
    const std::vector<std::pair<const char*, const char*>> stored = {
        {"1", "a"}, {"3", "b"}, {"4", "c"}, {"7", " "}, {"8", "d"}, {"9", "e"}};
    for (const auto& [number, address] : stored)
        EXPECT_EQ(address, Text(kServers, number)) << "value " << number;
    EXPECT_EQ("(missing)", Text(kServers, "5"));
}

TEST_F(TimeServerDlgTest, WithoutTheListKeyAnAddedServerStillSwitchesTheServiceOn)
{
    m.registry.CreateKey(HKLM, kService);
    m.prompt.Answer(kAnswerYes);
    const std::string longest(130, 'n');
    const auto& dialog = Run([&](User& user) {
        EXPECT_TRUE(ListOf(user.Shown()).empty());
        user.Type(IDC_TIME_ADDRESS, longest);
        user.Press(IDC_TIME_ADD);
        user.Pick(IDC_TIME_SERVERS, 0);
        user.Press(IDC_TIME_APPLY);
    });
    // An entry holds 127 characters; "NtpServer" then 131 and its zero.
    EXPECT_EQ((Entries{std::string(127, 'n')}), ListOf(dialog));
    EXPECT_EQ(std::string(127, 'n') + ",0x1", Text(kParameters, "NtpServer"));
    EXPECT_EQ(132u, m.registry.Get(HKLM, kParameters, "NtpServer")->data.size());
    EXPECT_EQ(DwordBytes(2), m.registry.Get(HKLM, kService, "Start")->data);
    EXPECT_FALSE(m.registry.HasKey(HKLM, kServers)) << "a key was made";
}

// ---- The legend before the status check ------------------------------------

TEST_F(TimeServerDlgTest, TheStatusCheckFromTheMenuRunsAfterTheLegendHoweverItWasClosed)
{
    m.registry.PutDword(HKLM, "SOFTWARE\\Microsoft\\PCHealth\\ErrorReporting", "DoReport", 0);
    for (int closedWith : {kIdOk, kIdCancel}) {
        m.Build();
        m.dialogs.WhileModal([&](User& user) {
            EXPECT_EQ(ImgTicked, m.Image(OptionKey::NoErrorReporting)) << "the check ran before the legend closed";
            const auto& texts = user.Shown().texts;
            EXPECT_EQ("目前您選擇了各種不同的功能。" + std::string(26, ' '), texts.at(IDC_INFO_HEADING));
            EXPECT_EQ("表示：此功能已停用。" + std::string(24, ' '), texts.at(IDC_INFO_DONE));
            EXPECT_EQ("表示：此功能未停用，且已選取，但可取消選取。" + std::string(35, ' '), texts.at(IDC_INFO_ACTIVE));
            return closedWith;
        });
        EXPECT_TRUE(m.dialog.OnCommand(IDM_CHECK_STATUS));
        EXPECT_EQ(IDD_ITEM_INFO, m.dialogs.Dialogs().back().templateId);
        EXPECT_EQ(ImgDone, m.Image(OptionKey::NoErrorReporting)) << "closed with " << closedWith;
    }
}

}  // namespace
