// The dialog framework on real controls: which route a WM_COMMAND takes,
// notifications reflected to the control object that owns them, two objects
// hooked into one control, modeless dialogs, and a template that is missing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32/framework/controls.h"
#include "platform/win32/framework/dialog.h"
#include "platform/win32/framework/message_map.h"
#include "platform/win32/framework/message_pump.h"
#include "platform/win32/framework/subclassed_window.h"
#include "tests/win/framework_test_ids.h"

namespace {

// What the test dialog's routes and hooks were reached with.
struct Events {
    int listCommands = 0;
    int listSelChanges = 0;
    int linkCommands = 0;
    int closeRequests = 0;
    int destroyed = 0;
    DWORD createError = 0;
};

class TestDialog : public Dialog {
public:
    explicit TestDialog(Events& events, unsigned templateId = IDD_FRAMEWORK_TEST)
        : Dialog(templateId), m_events(events)
    {
    }

    ListBox m_list;
    Edit m_edit;
    Static m_link;
    ComboBox m_combo;

protected:
    void DoDataExchange() override
    {
        m_list.Attach(GetDlgItem(IDC_TEST_LIST));
        m_edit.Attach(GetDlgItem(IDC_TEST_EDIT));
        m_link.Attach(GetDlgItem(IDC_TEST_LINK));
        m_combo.Attach(GetDlgItem(IDC_TEST_COMBO));
    }
    MessageResult RouteMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnDestroy() override { ++m_events.destroyed; }
    void OnCreateFailed(DWORD error) override { m_events.createError = error ? error : ~DWORD{0}; }

private:
    void OnListCommand() { ++m_events.listCommands; }
    void OnListSelChange() { ++m_events.listSelChanges; }
    void OnLinkCommand() { ++m_events.linkCommands; }
    // Counts the request and lets the framework's default end the dialog.
    MessageResult OnClose(WPARAM, LPARAM)
    {
        ++m_events.closeRequests;
        return Declined();
    }

    static const MessageRoute<TestDialog> kRoutes[];
    Events& m_events;
};

const MessageRoute<TestDialog> TestDialog::kRoutes[] = {
    OnCommand(IDC_TEST_LIST, &TestDialog::OnListCommand),
    OnNotification(IDC_TEST_LIST, LBN_SELCHANGE, &TestDialog::OnListSelChange),
    OnCommand(IDC_TEST_LINK, &TestDialog::OnLinkCommand),
    OnMessage(WM_CLOSE, &TestDialog::OnClose),
};

MessageResult TestDialog::RouteMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return RouteThrough(kRoutes, *this, message, wParam, lParam);
}

// Records the messages it sees, and handles the link's click and colour
// request when they are reflected to it.
class Hook : public SubclassedWindow {
public:
    Hook(std::string name, std::vector<std::string>& seen) : m_name(std::move(name)), m_seen(seen) {}

    HBRUSH m_brush = reinterpret_cast<HBRUSH>(GetStockObject(HOLLOW_BRUSH));
    int clicks = 0;
    int gone = 0;

protected:
    MessageResult OnMessage(UINT message, WPARAM, LPARAM) override
    {
        if (message == WM_SETTEXT)
            m_seen.push_back(m_name);
        return Declined();
    }
    MessageResult OnReflectedMessage(UINT message, WPARAM wParam, LPARAM) override
    {
        if (message == WM_CTLCOLORSTATIC)
            return Handled(reinterpret_cast<LRESULT>(m_brush));
        if (message == WM_COMMAND && HIWORD(wParam) == STN_CLICKED) {
            ++clicks;
            return Handled();
        }
        return Declined();
    }
    void OnWindowGone() override { ++gone; }

private:
    std::string m_name;
    std::vector<std::string>& m_seen;
};

void Click(HWND control, POINT at)
{
    const LPARAM where = MAKELPARAM(at.x, at.y);
    SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, where);
    SendMessageW(control, WM_LBUTTONUP, 0, where);
    PumpWaitingMessages();
}

class FrameworkTest : public ::testing::Test {
protected:
    Events events;
    Modeless<TestDialog> dialog{events};

    void SetUp() override { ASSERT_TRUE(dialog.Create()) << "error " << events.createError; }
};

TEST_F(FrameworkTest, ACommandAndANotificationOfOneIdTakeTheirOwnRoutes)
{
    for (const char* server : {"time.example.org", "ntp.example.net", "clock.example.com"})
        dialog.m_list.AddString(server);
    ASSERT_EQ(3, dialog.m_list.Count());
    EXPECT_EQ("ntp.example.net", dialog.m_list.ItemText(1));

    // A user's click on the second entry: LBN_SELCHANGE, code 1 from the control.
    RECT item{};
    SendMessageW(dialog.m_list.Handle(), LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
    Click(dialog.m_list.Handle(), {(item.left + item.right) / 2, (item.top + item.bottom) / 2});
    EXPECT_EQ(1, dialog.m_list.CurSel());
    EXPECT_GE(events.listSelChanges, 1);
    EXPECT_EQ(0, events.listCommands) << "a selection change ran the command of the same id";

    // The same id from a menu (code 0) and an accelerator (code 1) is a command.
    SendMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(IDC_TEST_LIST, 0), 0);
    SendMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(IDC_TEST_LIST, 1), 0);
    EXPECT_EQ(2, events.listCommands);

    // A double click on a static (STN_DBLCLK, code 1) is no command either.
    SendMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(IDC_TEST_LINK, STN_DBLCLK),
                 reinterpret_cast<LPARAM>(dialog.m_link.Handle()));
    EXPECT_EQ(0, events.linkCommands);
}

// The wrappers pass texts as UTF-8; a drop-down list selects by a leading
// text, case ignored, as the tree's in-place editors rely on.
TEST_F(FrameworkTest, ListAndComboWrappersFindEntriesByText)
{
    dialog.m_list.AddString("時間伺服器");
    dialog.m_list.AddString("time.example.org");
    EXPECT_EQ(1, dialog.m_list.FindStringExact("TIME.example.org"));
    EXPECT_EQ("時間伺服器", dialog.m_list.ItemText(0));
    EXPECT_EQ("", dialog.m_list.ItemText(5));

    for (const char* mode : {"Aus", "Ein", "Eingeschränkt"})
        dialog.m_combo.AddString(mode);
    EXPECT_EQ(3, dialog.m_combo.Count());
    EXPECT_EQ(-1, dialog.m_combo.CurSel());
    EXPECT_EQ(1, dialog.m_combo.SelectString(-1, "ein"));
    EXPECT_EQ("Ein", dialog.m_combo.Text());
    EXPECT_EQ(CB_ERR, dialog.m_combo.SelectString(-1, "Zu"));
}

TEST_F(FrameworkTest, AControlsNotificationsAndColourRequestsReachItsObject)
{
    std::vector<std::string> seen;
    Hook link("link", seen);
    ASSERT_TRUE(link.Subclass(dialog.m_link.Handle()));

    // The static's own click notification, STN_CLICKED, shares code 0 with a
    // button's click: the object bound to the static takes it first.
    Click(dialog.m_link.Handle(), {2, 2});
    EXPECT_EQ(1, link.clicks);
    EXPECT_EQ(0, events.linkCommands) << "the dialog's command route took the link's own click";

    HDC dc = GetDC(dialog.m_link.Handle());
    const LRESULT brush = SendMessageW(dialog.Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                       reinterpret_cast<LPARAM>(dialog.m_link.Handle()));
    ReleaseDC(dialog.m_link.Handle(), dc);
    EXPECT_EQ(reinterpret_cast<LRESULT>(link.m_brush), brush);

    // Once unhooked, the click is the dialog's command again.
    link.Unsubclass();
    Click(dialog.m_link.Handle(), {2, 2});
    EXPECT_EQ(1, link.clicks);
    EXPECT_EQ(1, events.linkCommands);
}

class SubclassOrderTest : public FrameworkTest, public ::testing::WithParamInterface<bool> {};

// Two objects on one edit control: the newer sees a message first, a declined
// message reaches the control, and either may go first without breaking
// the other or the control.
TEST_P(SubclassOrderTest, TwoHooksRemovedInEitherOrderLeaveTheControlWorking)
{
    const bool olderGoesFirst = GetParam();
    HWND edit = dialog.m_edit.Handle();
    const LONG_PTR original = GetWindowLongPtrW(edit, GWLP_WNDPROC);
    std::vector<std::string> seen;
    Hook older("older", seen);
    Hook newer("newer", seen);
    ASSERT_TRUE(older.Subclass(edit));
    ASSERT_TRUE(newer.Subclass(edit));
    EXPECT_FALSE(newer.Subclass(edit)) << "hooked twice";

    dialog.m_edit.SetText("one");
    EXPECT_EQ((std::vector<std::string>{"newer", "older"}), seen);
    EXPECT_EQ("one", dialog.m_edit.Text());

    Hook& first = olderGoesFirst ? older : newer;
    Hook& second = olderGoesFirst ? newer : older;
    first.Unsubclass();
    seen.clear();
    dialog.m_edit.SetText("two");
    EXPECT_EQ((std::vector<std::string>{olderGoesFirst ? "newer" : "older"}), seen);
    EXPECT_EQ("two", dialog.m_edit.Text());

    second.Unsubclass();
    seen.clear();
    dialog.m_edit.SetText("three");
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ("three", dialog.m_edit.Text());
    EXPECT_EQ(original, GetWindowLongPtrW(edit, GWLP_WNDPROC)) << "the control's own procedure is not back";
}

INSTANTIATE_TEST_SUITE_P(Framework, SubclassOrderTest, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& order) {
                             return order.param ? "OlderFirst" : "NewerFirst";
                         });

TEST_F(FrameworkTest, AWindowDestroyedWhileHookedUnhooksItsObjects)
{
    std::vector<std::string> seen;
    Hook hook("hook", seen);
    ASSERT_TRUE(hook.Subclass(dialog.m_edit.Handle()));
    DestroyWindow(dialog.m_edit.Handle());
    EXPECT_EQ(1, hook.gone);
    EXPECT_EQ(nullptr, hook.Handle());
    hook.Unsubclass();  // nothing left to do, and no crash
}

// Tab moves the focus in a modeless dialog through the message pump, and
// the dialog's own destroy handling runs when the object goes.
TEST(ModelessDialogTest, TabMovesTheFocusAndTheDialogsDestroyHandlingRuns)
{
    Events events;
    {
        Modeless<TestDialog> dialog(events);
        ASSERT_TRUE(dialog.Create());
        dialog.Show();
        SetFocus(dialog.m_edit.Handle());
        ASSERT_EQ(dialog.m_edit.Handle(), GetFocus());
        PostMessageW(dialog.m_edit.Handle(), WM_KEYDOWN, VK_TAB, 1);
        EXPECT_TRUE(PumpWaitingMessages());
        EXPECT_EQ(dialog.GetDlgItem(IDC_TEST_BUTTON), GetFocus());
        EXPECT_EQ(0, events.destroyed);
    }
    EXPECT_EQ(1, events.destroyed);
}

// A handler that declines leaves the message to the framework's default: the
// close request ends the dialog as Cancel does.
TEST(ModelessDialogTest, ADeclinedCloseRequestEndsTheDialogByDefault)
{
    Events events;
    Modeless<TestDialog> dialog(events);
    ASSERT_TRUE(dialog.Create());
    dialog.SendCloseRequest();
    EXPECT_EQ(1, events.closeRequests);
    EXPECT_EQ(1, events.destroyed);
    EXPECT_EQ(nullptr, dialog.Handle());
}

TEST(DialogTest, ADialogWhoseTemplateIsMissingIsReported)
{
    Events events;
    TestDialog modal(events, IDD_MISSING);
    EXPECT_EQ(-1, modal.DoModal());
    EXPECT_NE(0u, events.createError);

    Events modelessEvents;
    Modeless<TestDialog> modeless(modelessEvents, IDD_MISSING);
    EXPECT_FALSE(modeless.Create());
    EXPECT_NE(0u, modelessEvents.createError);
}

}  // namespace
