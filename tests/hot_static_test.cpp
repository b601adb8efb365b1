// The link label's colours, leave tracking and click, and the about box.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "app/about_dlg.h"
#include "app/hot_static.h"
#include "platform/memory/memory_link_label.h"
#include "platform/memory/memory_main_window.h"
#include "tests/memory_main_dlg.h"

namespace {

class HotStaticTest : public ::testing::Test {
protected:
    HotStaticTest()
    {
        auto window = std::make_unique<MemoryLinkLabel>();
        label = window.get();
        link.Attach(std::move(window));
    }

    MemoryShell shell;
    MemoryPrompt prompt;
    CHotStatic link{shell, prompt};
    MemoryLinkLabel* label = nullptr;
};

TEST_F(HotStaticTest, HoverIsRedUntilTheMouseLeavesWithOneLeaveRequestAtATime)
{
    EXPECT_EQ(CHotStatic::kNormalColour, link.PaintColour());
    label->MoveMouse();
    EXPECT_EQ(CHotStatic::kHoverColour, link.PaintColour());
    EXPECT_EQ(1, label->leaveRequests);
    EXPECT_EQ(1, label->invalidatedKeeping);
    EXPECT_EQ(1, label->updates);
    label->MoveMouse();
    label->MoveMouse();
    EXPECT_EQ(1, label->leaveRequests) << "asked again before the mouse left";

    label->Leave();
    EXPECT_EQ(CHotStatic::kNormalColour, link.PaintColour());
    EXPECT_EQ(0, link.IsTracking());
    EXPECT_EQ(2, label->updates);
    label->Leave();  // no hover: nothing to repaint
    EXPECT_EQ(2, label->updates);
    label->MoveMouse();
    EXPECT_EQ(2, label->leaveRequests);
}

TEST_F(HotStaticTest, AnOpenedLinkIsPurpleButRedWhileHovered)
{
    link.SetTarget("http://veilmark.example.org");
    label->MoveMouse();
    label->Click();
    ASSERT_EQ(1u, shell.Executed().size());
    EXPECT_EQ("open", shell.Executed()[0].verb);
    EXPECT_EQ("http://veilmark.example.org", shell.Executed()[0].file);
    EXPECT_EQ(kShowNormal, shell.Executed()[0].show);
    EXPECT_EQ(1, link.IsVisited());
    EXPECT_EQ(1, label->invalidatedErasing);
    EXPECT_EQ(CHotStatic::kHoverColour, link.PaintColour());
    label->Leave();
    EXPECT_EQ(CHotStatic::kVisitedColour, link.PaintColour());
}

TEST_F(HotStaticTest, AFailedOpenOnlyBeepsAndALabelWithoutTargetOpensItsOwnText)
{
    label->text = "http://mirror.example.net";
    shell.SetResult(2);
    label->Click();
    EXPECT_EQ("http://mirror.example.net", link.Target());
    EXPECT_EQ("http://mirror.example.net", shell.Executed().at(0).file);
    ASSERT_EQ(1u, prompt.History().size());
    EXPECT_EQ("<beep>", prompt.History()[0].text);
    EXPECT_EQ(0, link.IsVisited());
    EXPECT_EQ(0, label->invalidatedErasing);
    EXPECT_EQ(CHotStatic::kNormalColour, link.PaintColour());
}

TEST_F(HotStaticTest, TheColourRequestAddsTheNotifyStyleAndAnswersOnlyForOtherTextTypes)
{
    std::uint32_t colour = 0;
    label->style = 0x50000000;  // left-aligned, no notify
    EXPECT_FALSE(link.CtlColor(colour));
    EXPECT_EQ(0x50000100u, label->style);
    label->style = 0x50000101;  // centred
    EXPECT_FALSE(link.CtlColor(colour));

    label->style = 0x50000102;  // right-aligned
    label->MoveMouse();
    ASSERT_TRUE(link.CtlColor(colour));
    EXPECT_EQ(CHotStatic::kNormalColour, colour) << "the hover colour is not used here";
    label->Click();
    ASSERT_TRUE(link.CtlColor(colour));
    EXPECT_EQ(CHotStatic::kVisitedColour, colour);
}

TEST(MainDlgLinkTest, TheInitialisationGivesTheLabelTheHomePage)
{
    MemoryMainDlg m;
    MemoryMainWindow window;
    m.registry.PutText(RegistryRoot::LocalMachine, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "ProductName",
                       "Microsoft Windows XP");
    m.dialog.OnInitDialog(window);
    EXPECT_EQ("http://veilmark.example.org", m.dialog.HomePageLink().Target());
    window.LinkLabel()->Click();
    EXPECT_EQ("http://veilmark.example.org", m.shell.Executed().at(0).file);
}

// ---- The about box -----------------------------------------------------------

// The width of a line in half-width cells: ASCII takes one, anything else two.
std::size_t Cells(const std::string& line)
{
    std::size_t cells = 0;
    for (unsigned char c : line) {
        if (c < 0x80)
            cells += 1;
        else if ((c & 0xC0) != 0x80)
            cells += 2;
    }
    return cells;
}

TEST(AboutDlgTest, TheAboutTextIsThirteenLinesInFiveParagraphsEndingInSpaces)
{
    const std::string text = CAboutDlg::AboutText(Language::Chinese);
    ASSERT_GE(text.size(), 162u);
    EXPECT_EQ(std::string(162, ' '), text.substr(text.size() - 162));
    EXPECT_NE(' ', text[text.size() - 163]);

    std::vector<std::string> lines;
    std::istringstream stream(text.substr(0, text.size() - 162));
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    ASSERT_EQ(13u, lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const bool gap = i == 1 || i == 5 || i == 8 || i == 11;
        EXPECT_EQ(gap, lines[i].empty()) << "line " << i + 1;
        EXPECT_LE(Cells(lines[i]), 74u) << "line " << i + 1 << " is wider than 37 double-width characters";
    }
    EXPECT_NE(std::string::npos, lines[0].find("3.13"));
    EXPECT_NE(std::string::npos, lines[0].find("2001"));
    EXPECT_NE(std::string::npos, lines[7].find("http://veilmark.example.org"));
}

TEST(AboutDlgTest, TheAboutCommandShowsTheTextInControl1044)
{
    MemoryMainDlg m;
    m.Build();
    EXPECT_TRUE(m.dialog.OnCommand(IDM_ABOUT));
    ASSERT_EQ(1u, m.dialogs.Dialogs().size());
    EXPECT_EQ(205u, m.dialogs.Dialogs()[0].templateId);
    EXPECT_EQ(CAboutDlg::AboutText(Language::Chinese), m.dialogs.Dialogs()[0].texts.at(1044));
}

}  // namespace
