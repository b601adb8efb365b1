// veilmark.exe in the user's language, run in a prefix of that locale: the
// main window, its menu, the legend, the about box, the time server dialog
// and the boxes of a Start and a restore speak it, and where it is not
// Chinese no Chinese character shows anywhere; the command line speaks it
// too; /lang chooses another language for the dialog and the commands.
#include <algorithm>

#include "lang/texts.h"
#include "platform/memory/builtin_string_table.h"
#include "platform/win32/framework/resource_language.h"
#include "settings/labels.h"
#include "tests/win/e2e/command_line_e2e.h"

namespace {

using namespace option_keys;

Language UserLanguage() { return LanguageForUser(GetUserDefaultUILanguage()); }

// The captions the templates give the main window's buttons: the string
// table keeps them in the first rows after each language's last label.
constexpr int kStartCaption = 0;
constexpr int kCancelCaption = 1;

std::string CaptionOf(Language language, int caption)
{
    const BuiltinStringTable strings;
    int lastLabel = 0;
    for (const CatalogueEntry& entry : Catalogue())
        lastLabel = std::max(lastLabel, entry.label.offset);
    unsigned row = static_cast<unsigned>(LanguageBaseOf(language) + lastLabel + 1);
    for (unsigned end = row + 100; row < end && strings.Load(row).empty();)
        ++row;
    return strings.Load(row + static_cast<unsigned>(caption));
}

// Whether the UTF-8 text holds a CJK character (U+3000 to U+9FFF) or a
// full-width form (U+FF00 to U+FFEF).
bool HasCjk(const std::string& text)
{
    for (std::size_t i = 0; i + 2 < text.size(); ++i) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const auto next = static_cast<unsigned char>(text[i + 1]);
        const auto last = static_cast<unsigned char>(text[i + 2]);
        const bool fullWidth = lead == 0xEF && ((next >= 0xBC && next <= 0xBE) || (next == 0xBF && last <= 0xAF));
        if ((lead >= 0xE3 && lead <= 0xE9) || fullWidth)
            return true;
    }
    return false;
}

BOOL CALLBACK CollectText(HWND child, LPARAM texts)
{
    *reinterpret_cast<std::string*>(texts) += WindowText(child) + "\n";
    return TRUE;
}

// Every text a window and its controls show.
std::string AllTexts(HWND window)
{
    std::string texts = WindowText(window) + "\n";
    EnumChildWindows(window, &CollectText, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

std::vector<std::string> Labels(Language language)
{
    const BuiltinStringTable strings;
    std::vector<std::string> labels;
    for (const CatalogueEntry& entry : Catalogue())
        labels.push_back(LoadLabel(strings, LanguageBaseOf(language), entry.label));
    return labels;
}

class LanguageE2eTest : public CommandLineE2eTest {
protected:
    // The window speaks the language: no Chinese in it unless it is Chinese.
    void ExpectSpoken(HWND window, const char* what)
    {
        const std::string texts = AllTexts(window);
        EXPECT_EQ(m_language == Language::Chinese, HasCjk(texts)) << what << ":\n" << texts;
    }
    std::wstring Shot(const wchar_t* what) const
    {
        static const wchar_t* const kNames[] = {L"zh", L"de", L"en"};
        return std::wstring(L"lang-") + kNames[static_cast<int>(m_language)] + L"-" + what;
    }
    // The one box of the program besides `over`: its text, checked, then
    // its own texts, then answered.
    void AnswerIn(TextId expected, int button, const wchar_t* shot, HWND over = nullptr)
    {
        HWND box = WaitForBoxBesides(over, kStartTimeoutMs);
        ASSERT_TRUE(box);
        EXPECT_EQ(Text(expected, m_language), ReadMessageBox(box).text);
        ExpectSpoken(box, "a message box");
        Sleep(300);  // painted
        Screenshot(Shot(shot));
        ASSERT_TRUE(AnswerMessageBox(box, button, kExitTimeoutMs));
    }

    const Language m_language = UserLanguage();
};

TEST_F(LanguageE2eTest, TheDialogItsMenuAndItsBoxesSpeakTheUsersLanguage)
{
    PrepareEverythingOn();
    Start();
    HWND main = WaitForMainWindow();
    ASSERT_TRUE(main);
    EXPECT_EQ(CaptionOf(m_language, kStartCaption), WindowText(GetDlgItem(main, IDC_START)));
    EXPECT_EQ(CaptionOf(m_language, kCancelCaption), WindowText(GetDlgItem(main, IDCANCEL)));
    std::vector<std::string> shown;
    for (const TreeRow& row : ReadOptionTree(main))
        shown.push_back(row.label);
    EXPECT_EQ(Labels(m_language), shown);
    ExpectSpoken(main, "the main window");
    Screenshot(Shot(L"main"));

    // The menu of the language, as the program loads it.
    const HMODULE program = LoadLibraryExW(ProgramUnderTest().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(program);
    const void* resource = FindResourceOf(program, RT_MENU, IDR_MAIN_MENU, m_language);
    HMENU menu = resource ? LoadMenuIndirectW(static_cast<const MENUTEMPLATEW*>(resource)) : nullptr;
    ASSERT_TRUE(menu);
    std::string error;
    std::string menuTexts;
    for (const std::string& line : ReadMenu(menu, error))
        menuTexts += line + "\n";
    DestroyMenu(menu);
    FreeLibrary(program);
    EXPECT_EQ(m_language == Language::Chinese, HasCjk(menuTexts)) << menuTexts;

    ChooseSpecial(main, 0);  // the legend, then the status check
    HWND legend = WaitForMessageBox(kExitTimeoutMs);
    ASSERT_TRUE(legend);
    EXPECT_EQ(Text(TextId::InfoHeading, m_language), WindowText(GetDlgItem(legend, IDC_INFO_HEADING)));
    ExpectSpoken(legend, "the legend");
    Sleep(300);
    Screenshot(Shot(L"legend"));
    PostKey(legend, VK_ESCAPE);
    m_app.WaitFor([](const Windows& w) { return w.boxes.empty(); }, kExitTimeoutMs);

    ChooseMenuItem(main, 1, 1);  // about
    HWND about = WaitForMessageBox(kExitTimeoutMs);
    ASSERT_TRUE(about);
    EXPECT_EQ(Text(TextId::AboutText, m_language), WindowText(GetDlgItem(about, IDC_ABOUT_TEXT)));
    ExpectSpoken(about, "the about box");
    Sleep(300);
    Screenshot(Shot(L"about"));
    ASSERT_TRUE(AnswerMessageBox(about, IDOK, kExitTimeoutMs));

    ChooseSpecial(main, 4);  // the time server dialog
    HWND servers = WaitForMessageBox(kExitTimeoutMs);
    ASSERT_TRUE(servers);
    ExpectSpoken(servers, "the time server dialog");
    Sleep(300);
    Screenshot(Shot(L"time-server"));
    ASSERT_TRUE(AnswerMessageBox(servers, IDCANCEL, kExitTimeoutMs));

    ToggleTreeItem(main, static_cast<int>(OptionKey::RemoveSupportUsers));
    PostCommand(main, IDC_START);
    AnswerIn(TextId::CheckQuestion, IDNO, L"closing-question");
    EXPECT_EQ(Text(TextId::ReadyCaption, m_language), WindowText(GetDlgItem(main, IDC_START)));

    ChooseSpecial(main, 1);  // the restore of the defaults
    AnswerIn(TextId::RestoreQuestion, IDOK, L"restore-question");
    AnswerIn(TextId::RestoreDone, IDOK, L"restore-report");
    ExpectKeepsRunning("the restore");
}

TEST_F(LanguageE2eTest, TheCommandLineSpeaksTheUsersLanguageAndLangChoosesAnother)
{
    PrepareEverythingOn();
    const std::pair<const wchar_t*, Language> runs[] = {
        {L"/status", m_language},
        {L"/lang en /status", Language::English},
        {L"/LANG de /status", Language::German},
        {L"/lang zh /status", Language::Chinese},
    };
    for (const auto& [arguments, language] : runs) {
        SCOPED_TRACE(WideToUtf8(arguments));
        const Finished status = Veilmark(arguments);
        EXPECT_EQ(1u, status.exitCode) << status.output;
        const std::string line = "NoErrorReporting\t" + Labels(language)[static_cast<int>(OptionKey::NoErrorReporting)];
        EXPECT_NE(std::string::npos, status.output.find(line)) << status.output;
        EXPECT_EQ(language == Language::Chinese, HasCjk(status.output)) << status.output;
    }
    const Finished wrong = Veilmark(L"/lang de /frobnicate");
    EXPECT_EQ(3u, wrong.exitCode);
    EXPECT_NE(std::string::npos, wrong.output.find(Text(TextId::UnknownSwitch, Language::German, {"/frobnicate"})))
        << wrong.output;
}

TEST_F(LanguageE2eTest, LangChoosesTheDialogsLanguage)
{
    const Language other = m_language == Language::English ? Language::German : Language::English;
    Start(ProgramUnderTest(), other == Language::English ? L"/lang en" : L"/lang de");
    HWND main = WaitForMainWindow();
    ASSERT_TRUE(main);
    std::vector<std::string> shown;
    for (const TreeRow& row : ReadOptionTree(main))
        shown.push_back(row.label);
    EXPECT_EQ(Labels(other), shown);
    EXPECT_EQ(CaptionOf(other, kCancelCaption), WindowText(GetDlgItem(main, IDCANCEL)));
    EXPECT_FALSE(HasCjk(AllTexts(main)));
    PostCommand(main, IDCANCEL);
    ExpectEndsAtOnce("Cancel");
}

}  // namespace
