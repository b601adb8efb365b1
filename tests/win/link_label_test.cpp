// The link label on a real static control, as the user sees it: blue, red
// while the mouse rests on it, purple once a click has opened its target,
// and only a beep when the open fails. Colours are read off the screen.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "app/hot_static.h"
#include "platform/memory/memory_prompt.h"
#include "platform/memory/memory_shell.h"
#include "platform/win32/framework/dialog.h"
#include "platform/win32/framework/message_pump.h"
#include "platform/win32/win32_link_label.h"
#include "tests/win/framework_test_ids.h"
#include "tests/win/test_files.h"

namespace {

// Handles the thread's messages for a while, so that the mouse's moves reach
// the label and its repaints are done.
void Settle(DWORD milliseconds = 400)
{
    for (const DWORD start = GetTickCount(); GetTickCount() - start < milliseconds; Sleep(20))
        PumpWaitingMessages();
}

class LinkLabelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dialog.Create());
        m_dialog.Show();
        HWND label = m_dialog.GetDlgItem(IDC_TEST_LINK);
        SetWindowTextW(label, L"veilmark.example.org");
        m_link.Attach(std::make_unique<Win32LinkLabel>(label));
        m_link.SetTarget("http://veilmark.example.org");
        GetWindowRect(label, &m_place);
        MoveCursorAway();
        RedrawWindow(label, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        Settle();
    }

    void MoveCursorOver() { SetCursorPos((m_place.left + m_place.right) / 2, (m_place.top + m_place.bottom) / 2); }
    void MoveCursorAway() { SetCursorPos(m_place.right + 200, m_place.bottom + 200); }
    void Click()
    {
        HWND label = m_dialog.GetDlgItem(IDC_TEST_LINK);
        SendMessageW(label, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        SendMessageW(label, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        Settle();
    }

    // How many pixels of the label on the screen have the colour.
    int PixelsOf(COLORREF colour) const
    {
        HDC screen = GetDC(nullptr);
        int count = 0;
        for (int y = m_place.top; y < m_place.bottom; ++y)
            for (int x = m_place.left; x < m_place.right; ++x)
                count += GetPixel(screen, x, y) == colour;
        ReleaseDC(nullptr, screen);
        return count;
    }

    MemoryShell m_shell;
    MemoryPrompt m_prompt;
    Modeless<Dialog> m_dialog{IDD_FRAMEWORK_TEST};
    CHotStatic m_link{m_shell, m_prompt};
    RECT m_place{};
};

TEST_F(LinkLabelTest, ItIsRedUnderTheMouseAndPurpleOnceOpened)
{
    EXPECT_GT(PixelsOf(CHotStatic::kNormalColour), 0) << "a new link is blue";
    EXPECT_EQ(0, PixelsOf(CHotStatic::kHoverColour));

    MoveCursorOver();
    Settle();
    EXPECT_TRUE(m_link.IsHovering());
    EXPECT_GT(PixelsOf(CHotStatic::kHoverColour), 0) << "red under the mouse";
    EXPECT_TRUE(SaveScreenshot(L"link-hover"));

    Click();
    ASSERT_EQ(1u, m_shell.Executed().size());
    EXPECT_TRUE(m_link.IsVisited());
    EXPECT_GT(PixelsOf(CHotStatic::kHoverColour), 0) << "still red while the mouse rests on it";

    MoveCursorAway();
    Settle();
    EXPECT_FALSE(m_link.IsHovering()) << "no leave notification came";
    EXPECT_GT(PixelsOf(CHotStatic::kVisitedColour), 0) << "purple once opened";
    EXPECT_EQ(0, PixelsOf(CHotStatic::kNormalColour));
    EXPECT_TRUE(SaveScreenshot(L"link-visited"));
}

TEST_F(LinkLabelTest, AnOpenThatFailsOnlyBeeps)
{
    m_shell.SetResult(2);
    Click();
    ASSERT_EQ(1u, m_prompt.History().size());
    EXPECT_EQ("<beep>", m_prompt.History()[0].text);
    EXPECT_FALSE(m_link.IsVisited());
    EXPECT_GT(PixelsOf(CHotStatic::kNormalColour), 0);
    EXPECT_EQ(0, PixelsOf(CHotStatic::kVisitedColour));
}

}  // namespace
