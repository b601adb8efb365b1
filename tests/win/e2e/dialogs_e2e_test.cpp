// The menu's dialogs of veilmark.exe: the about box, the legend before the
// status check, and the time server dialog reading and writing the real
// registry.
#include "app/about_dlg.h"
#include "tests/win/e2e/app_test.h"
#include "tests/win/e2e/option_keys.h"

namespace {

using namespace option_keys;
using namespace registry_state;

const std::wstring kServers = L"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\DateTime\\Servers";
const std::wstring kParameters = L"HKLM\\SYSTEM\\CurrentControlSet\\Services\\W32Time\\Parameters";
const std::wstring kService = L"HKLM\\SYSTEM\\CurrentControlSet\\Services\\W32Time";

constexpr int kMenuCheckStatus = 0;
constexpr int kMenuTimeServer = 4;

std::string ItemText(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }

// The entries of a drop-down list of another process.
std::vector<std::string> ListEntries(HWND list)
{
    std::vector<std::string> entries;
    const LRESULT count = SendMessageW(list, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        if (SendMessageW(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0) < 256)
            SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        entries.push_back(WideToUtf8(text));
    }
    return entries;
}

// What a user's pick of entry `position` does: the selection moves and the
// list tells the dialog.
void Pick(HWND dialog, int id, int position)
{
    HWND list = GetDlgItem(dialog, id);
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

TEST_F(AppTest, TheAboutBoxShowsItsTextAndClosesWithEnterEscapeOrOk)
{
    Start();
    HWND main = WaitForMainWindow();
    ASSERT_TRUE(main);
    const struct {
        const char* how;
        void (*close)(HWND box);
    } closings[] = {
        {"Enter", [](HWND box) { PostKey(GetDlgItem(box, IDOK), VK_RETURN); }},
        {"Escape", [](HWND box) { PostKey(GetDlgItem(box, IDOK), VK_ESCAPE); }},
        {"OK", [](HWND box) { PostCommand(box, IDOK); }},
    };
    for (const auto& closing : closings) {
        ChooseMenuItem(main, 1, 1);
        HWND about = WaitForMessageBox(kExitTimeoutMs);
        ASSERT_TRUE(about);
        EXPECT_EQ(CAboutDlg::AboutText(Language::Chinese), ItemText(about, IDC_ABOUT_TEXT));
        EXPECT_FALSE(GetWindowLongW(about, GWL_STYLE) & WS_CAPTION) << "the about box has a caption bar";
        if (closing.close == closings[0].close) {
            Sleep(300);  // painted
            Screenshot(L"e2e-about");
        }
        closing.close(about);
        const Windows windows = m_app.WaitFor([](const Windows& w) { return w.boxes.empty(); }, kExitTimeoutMs);
        EXPECT_TRUE(windows.boxes.empty()) << closing.how << " did not close the about box";
    }
    ExpectKeepsRunning("the about box");
}

TEST_F(AppTest, TheLegendComesBeforeTheStatusCheckOfTheMenu)
{
    SetDword(kReporting, L"DoReport", 1);
    Start();
    HWND main = WaitForMainWindow();
    ASSERT_TRUE(main);
    std::vector<int> before = ImagesOf(ReadOptionTree(main));
    ASSERT_EQ(kOptionCount, before.size());
    ASSERT_EQ(12, before[static_cast<std::size_t>(OptionKey::NoErrorReporting)]);

    SetDword(kReporting, L"DoReport", 0);
    ChooseSpecial(main, kMenuCheckStatus);
    HWND legend = WaitForMessageBox(kExitTimeoutMs);
    ASSERT_TRUE(legend);
    EXPECT_EQ("特殊", WindowText(legend));
    EXPECT_EQ("目前您選擇了各種不同的功能。" + std::string(26, ' '), ItemText(legend, IDC_INFO_HEADING));
    EXPECT_EQ("表示：此功能已停用。" + std::string(24, ' '), ItemText(legend, IDC_INFO_DONE));
    EXPECT_EQ("表示：此功能未停用，且已選取，但可取消選取。" + std::string(35, ' '), ItemText(legend, IDC_INFO_ACTIVE));
    Sleep(300);  // painted
    Screenshot(L"e2e-item-info");
    EXPECT_EQ(before, ImagesOf(ReadOptionTree(main))) << "the status check ran before the legend closed";

    PostKey(legend, VK_ESCAPE);
    ExpectTree(main, [&] {
        std::vector<int> after = before;
        after[static_cast<std::size_t>(OptionKey::NoErrorReporting)] = 5;
        return after;
    }());
}

// The servers' numbers have a gap (no 2) and the current one is 3: each
// server is stored under its own number, an added one under the next free.
TEST_F(AppTest, TheTimeServerDialogListsTheRegistrysServersAndAppliesTheChosenOne)
{
    RemoveKey(kServers);
    SetText(kServers, L"", L"3");
    SetText(kServers, L"1", L"time.example.org");
    SetText(kServers, L"3", L"ntp.example.net");
    SetText(kServers, L"4", L"pool.example.com");
    SetText(kParameters, L"Type", L"NoSync");
    RemoveValue(kParameters, L"NtpServer");
    SetDword(kService, L"Start", 4);

    Start();
    HWND main = WaitForMainWindow();
    ASSERT_TRUE(main);
    ChooseSpecial(main, kMenuTimeServer);
    HWND dialog = WaitForMessageBox(kExitTimeoutMs);
    ASSERT_TRUE(dialog);
    EXPECT_EQ("設定校時伺服器", WindowText(dialog));
    HWND list = GetDlgItem(dialog, IDC_TIME_SERVERS);
    EXPECT_EQ((std::vector<std::string>{"time.example.org", "ntp.example.net", "pool.example.com"}),
              ListEntries(list));
    EXPECT_EQ(1, SendMessageW(list, CB_GETCURSEL, 0, 0)) << "server 3 is the current one";
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_TIME_APPLY)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_TIME_ADD)));
    Sleep(300);  // painted
    Screenshot(L"e2e-time-server");

    const std::string question =
        "設定校時伺服器表示將啟用 Windows 的校時\n伺服器服務，讓您電腦的時間與網際網路的\n時間同步。您要啟用此服務嗎？" +
        std::string(36, ' ');
    // A new address, added and applied: stored as server 5.
    SetWindowTextW(GetDlgItem(dialog, IDC_TIME_ADDRESS), L"clock.example.com");
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDC_TIME_ADD))) << "typing enables Add";
    PostCommand(dialog, IDC_TIME_ADD);
    for (DWORD start = GetTickCount(); ListEntries(list).size() < 4 && GetTickCount() - start < kExitTimeoutMs;)
        Sleep(50);
    EXPECT_EQ("clock.example.com", ListEntries(list).at(3));
    Pick(dialog, IDC_TIME_SERVERS, 3);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDC_TIME_APPLY))) << "a pick enables Apply";
    PostCommand(dialog, IDC_TIME_APPLY);
    Answer(question, IDYES, dialog);
    EXPECT_EQ("REG_SZ clock.example.com,0x1", Show(kParameters, L"NtpServer"));
    EXPECT_EQ("REG_SZ 5", Show(kServers, L""));
    EXPECT_EQ("REG_SZ clock.example.com", Show(kServers, L"5"));

    // Back to the server after the gap: it stays number 3, server 4 stays.
    Pick(dialog, IDC_TIME_SERVERS, 1);
    PostCommand(dialog, IDC_TIME_APPLY);
    Answer(question, IDYES, dialog);
    EXPECT_TRUE(AnswerMessageBox(dialog, IDOK, kExitTimeoutMs)) << "OK closes the dialog";

    EXPECT_EQ("REG_SZ ntp.example.net,0x1", Show(kParameters, L"NtpServer"));
    EXPECT_EQ("REG_SZ NTP", Show(kParameters, L"Type"));
    EXPECT_EQ("REG_SZ 3", Show(kServers, L""));
    EXPECT_EQ("REG_SZ time.example.org", Show(kServers, L"1"));
    EXPECT_EQ("missing", Show(kServers, L"2"));
    EXPECT_EQ("REG_SZ ntp.example.net", Show(kServers, L"3"));
    EXPECT_EQ("REG_SZ pool.example.com", Show(kServers, L"4"));
    EXPECT_EQ("REG_SZ clock.example.com", Show(kServers, L"5"));
    EXPECT_EQ("REG_DWORD 0x2", Show(kService, L"Start"));
    ExpectKeepsRunning("the time server dialog");
}

}  // namespace
