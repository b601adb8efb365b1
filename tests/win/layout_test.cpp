// Every text of every dialog fits its control in every language, measured
// with the dialog's own font on real controls: statics wrapped as they wrap,
// buttons and group box captions on one line, the texts the program puts in
// at run time included. The option tree's labels fit its width.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "lang/texts.h"
#include "platform/win32/framework/resource_language.h"
#include "platform/win32/text.h"
#include "platform/win32/win32.h"
#include "res/resource.h"
#include "tests/win/main_dialog_fixture.h"

namespace {

INT_PTR CALLBACK QuietDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// What a text needs on its control, in pixels, with the control's font.
SIZE Needed(HWND control, const std::wstring& text, UINT format, LONG width)
{
    HDC dc = GetDC(control);
    const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    RECT rect{0, 0, width, 0};
    DrawTextW(dc, text.c_str(), -1, &rect, format | DT_CALCRECT);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return {rect.right, rect.bottom};
}

std::wstring ClassOf(HWND window)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

// Why the control's text does not fit; empty when it does.
std::string Overflow(HWND control)
{
    wchar_t buffer[2048] = {};
    GetWindowTextW(control, buffer, 2048);
    // The spaces that pad a Chinese text draw nothing.
    std::wstring text = buffer;
    text.erase(text.find_last_not_of(L' ') + 1);
    if (text.empty())
        return {};
    RECT client{};
    GetClientRect(control, &client);
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    const std::wstring kind = ClassOf(control);
    SIZE needed{};
    SIZE room{client.right, client.bottom};
    if (_wcsicmp(kind.c_str(), L"Static") == 0) {
        const LONG type = style & SS_TYPEMASK;
        if (type == SS_ICON || type == SS_BITMAP)
            return {};
        needed = Needed(control, text, DT_WORDBREAK | DT_EXPANDTABS | ((style & SS_NOPREFIX) ? DT_NOPREFIX : 0),
                        client.right);
    } else if (_wcsicmp(kind.c_str(), L"Button") == 0) {
        needed = Needed(control, text, DT_SINGLELINE, 0);
        // A caption needs a little room beside it: a group box's frame and
        // inset, a push button's edges.
        const bool group = (style & BS_TYPEMASK) == BS_GROUPBOX;
        room.cx -= group ? 16 : 8;
        room.cy = group ? needed.cy : room.cy - 4;
    } else {
        return {};
    }
    if (needed.cx <= room.cx && needed.cy <= room.cy)
        return {};
    return "control " + std::to_string(GetDlgCtrlID(control)) + " \"" + WideToUtf8(text) + "\" needs " +
           std::to_string(needed.cx) + "x" + std::to_string(needed.cy) + " px, has " + std::to_string(room.cx) + "x" +
           std::to_string(room.cy);
}

BOOL CALLBACK Collect(HWND child, LPARAM found)
{
    reinterpret_cast<std::vector<HWND>*>(found)->push_back(child);
    return TRUE;
}

// A dialog as the program shows it: its template in the language, and the
// texts the program sets into it.
struct ShownDialog {
    unsigned templateId;
    std::vector<std::pair<int, TextId>> texts;
};

const ShownDialog kDialogs[] = {
    {IDD_MAIN_DIALOG, {}},
    {IDD_WAIT, {{IDC_WAIT_TEXT, TextId::MessengerWait}}},
    {IDD_WAIT, {{IDC_WAIT_TEXT, TextId::MediaPlayerWait}}},
    {IDD_ABOUT, {{IDC_ABOUT_TEXT, TextId::AboutText}}},
    {IDD_USER_ADMIN, {{IDC_USER_TEXT, TextId::UserGuidance}}},
    {IDD_ITEM_INFO, {{IDC_INFO_HEADING, TextId::InfoHeading}, {IDC_INFO_DONE, TextId::InfoDone},
                     {IDC_INFO_ACTIVE, TextId::InfoActive}}},
    {IDD_TIME_SERVER, {}},
};

TEST(Layout, EveryTextFitsItsControlInEveryLanguage)
{
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    const HINSTANCE module = GetModuleHandleW(nullptr);
    for (const LanguageRow& row : kLanguages) {
        const Language language = row.language;
        for (const ShownDialog& shown : kDialogs) {
            SCOPED_TRACE("dialog " + std::to_string(shown.templateId) + ", language " +
                         std::to_string(ResourceLanguageOf(language)));
            const auto* dialogTemplate = static_cast<const DLGTEMPLATE*>(
                FindResourceOf(module, RT_DIALOG, shown.templateId, language));
            ASSERT_TRUE(dialogTemplate);
            HWND dialog = CreateDialogIndirectParamW(module, dialogTemplate, nullptr, &QuietDialogProc, 0);
            ASSERT_TRUE(dialog);
            for (const auto& [id, text] : shown.texts)
                SetDlgItemTextW(dialog, id, Utf8ToWide(Text(text, language)).c_str());
            std::vector<HWND> children;
            EnumChildWindows(dialog, &Collect, reinterpret_cast<LPARAM>(&children));
            for (HWND child : children) {
                const std::string overflow = Overflow(child);
                EXPECT_TRUE(overflow.empty()) << overflow;
            }
            DestroyWindow(dialog);
        }
    }
}

TEST(Layout, TheTreesLabelsFitItsWidthInEveryLanguage)
{
    MainDialogFixture fixture;
    for (const LanguageRow& row : kLanguages) {
        fixture.Build(row.base);
        EXPECT_FALSE(GetWindowLongW(fixture.Tree(), GWL_STYLE) & WS_HSCROLL)
            << "a horizontal scroll bar in language " << row.tag;
    }
}

}  // namespace
