// The choice of the language and what follows from it, on the in-memory
// platform: which language a user gets, /lang, texts with their arguments,
// the dialog's boxes and the help file of an English user.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/arguments.h"
#include "lang/texts.h"
#include "platform/memory/memory_console.h"
#include "platform/memory/memory_main_window.h"
#include "run/exit_codes.h"
#include "tests/memory_main_dlg.h"

namespace {

TEST(LanguageTest, AnyChineseIsChineseGermanIsGermanAndEveryOtherEnglish)
{
    const std::pair<std::uint16_t, Language> cases[] = {
        {0x0404, Language::Chinese}, {0x0804, Language::Chinese}, {0x0C04, Language::Chinese},
        {0x0407, Language::German},  {0x0C07, Language::German},  {0x0409, Language::English},
        {0x040C, Language::English}, {0x0419, Language::English}, {0x0000, Language::English},
    };
    for (const auto& [id, language] : cases)
        EXPECT_EQ(language, LanguageForUser(id)) << std::hex << id;
    for (Language language : {Language::Chinese, Language::German, Language::English})
        EXPECT_EQ(language, LanguageOf(LanguageBaseOf(language)));
    EXPECT_EQ(Language::Chinese, LanguageOf(0)) << "any base but German's and English's is Chinese";
}

TEST(LanguageTest, LangComesFirstAndNamesALanguageForTheDialogOrTheCommand)
{
    const struct {
        std::vector<std::string> words;
        const char* command;
        std::optional<Language> language;
        const char* error;
    } cases[] = {
        {{"/lang", "en"}, "", Language::English, ""},
        {{"-LANG", "DE", "/status"}, "status", Language::German, ""},
        {{"/lang", "zh", "/apply"}, "apply", Language::Chinese, "/apply 需要指定「選擇」"},
        {{"/lang", "fr"}, "", std::nullopt, "/lang braucht zh, de oder en"},
        {{"/lang"}, "", std::nullopt, "/lang braucht zh, de oder en"},
        {{"/status", "/lang", "en"}, "status", std::nullopt, "unbekannter oder wiederholter Schalter /lang"},
    };
    for (const auto& c : cases) {
        // Errors in the language /lang names, else in the user's (German here).
        const cli::ParsedCommand parsed = cli::ParseCommand(c.words, Language::German);
        EXPECT_EQ(c.error, parsed.error) << c.words.front();
        EXPECT_EQ(c.command, parsed.command.Name());
        EXPECT_EQ(c.language, parsed.command.language);
    }
    EXPECT_EQ("f, line %2: %3", Text(TextId::ErrorInLine, Language::English, {"f"})) << "no argument, no change";
    EXPECT_EQ("/x: [cannot set the registry value]", Text(TextId::WriteCannotSet, Language::English, {"/x"}));
    EXPECT_EQ("\"k\" ist eine zweite Wahl der Messenger-Gruppe (die erste steht in Zeile 2)",
              Text(TextId::SecondMessengerChoice, Language::German, {"k", "2"}));
}

TEST(LanguageTest, AnEnglishUserGetsEnglishBoxesAndTheEnglishHelpFileElseTheChineseOne)
{
    MemoryMainDlg m(Language::English);
    MemoryMainWindow window;
    m.PutEverythingOn();
    m.dialog.OnInitDialog(window);
    EXPECT_EQ(LanguageBaseOf(Language::English), m.dialog.LanguageBase());
    m.prompt.SetDefaultAnswer(kAnswerNo);
    m.dialog.OnCommand(IDC_START);
    EXPECT_EQ(Text(TextId::CheckQuestion, Language::English), m.prompt.History().back().text);
    EXPECT_EQ("Done", window.StartCaption());

    m.shell.SetProgramDirectory("C:\\Veilmark");
    m.shell.SetResult(42);
    m.dialog.OnHelpIndex();
    ASSERT_EQ(1u, m.shell.Executed().size());
    EXPECT_EQ("C:\\Veilmark\\Veilmark_en.chm", m.shell.Executed()[0].file);
    m.shell.SetResult(2);
    m.dialog.OnHelpIndex();
    ASSERT_EQ(3u, m.shell.Executed().size());
    EXPECT_EQ("C:\\Veilmark\\Veilmark.chm", m.shell.Executed()[2].file) << "the Chinese file, which every release has";
    EXPECT_EQ("The help file Veilmark_en.chm is not in the program's folder.", m.prompt.History().back().text);

    MemoryConsole console;
    cli::CommandLineServices services = m.CommandLine(console);
    EXPECT_EQ(run::kExitError, cli::RunCommandLine({"/frobnicate"}, services));
    EXPECT_EQ("veilmark: unknown switch /frobnicate\nveilmark.exe /? shows the usage.\n", console.Errors());
}

}  // namespace
