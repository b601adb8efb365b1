// veilmark.exe run from the command line with the real registry, and its
// .reg export imported by Wine's own regedit: the import must leave the
// registry as /apply leaves it, and bad command lines must change nothing.
#include "tests/win/e2e/command_line_e2e.h"

namespace {

using namespace option_keys;
using namespace registry_state;

TEST_F(CommandLineE2eTest, AnExportImportedByRegeditLeavesTheRegistryAsApplyDoes)
{
    for (const wchar_t* selection : {L"recommended", L"expert"}) {
        SCOPED_TRACE(WideToUtf8(selection));
        PrepareEverythingOn();
        const Finished before = Veilmark(L"/status");
        EXPECT_EQ(1u, before.exitCode) << before.output;
        std::cout << "/status before:\n" << before.output;

        const std::wstring report = m_workDirectory.File(L"apply report.txt");
        const Finished applied = Veilmark(std::wstring(L"/lang en /apply ") + selection + L" /report \"" + report + L"\"");
        EXPECT_EQ(0u, applied.exitCode) << applied.output;
        const std::string savedText = ReadWhole(report);
        EXPECT_EQ(0u, savedText.find("\xEF\xBB\xBF" "Microsoft Windows XP Professional (edition: ")) << savedText;
        EXPECT_NE(std::string::npos, savedText.find("RemoveSupportUsers\t")) << savedText;
        const std::string afterApply = RegistrySnapshot();
        EXPECT_NE(std::string::npos, afterApply.find("DoReport")) << afterApply;

        PrepareEverythingOn();
        const std::wstring exported = m_workDirectory.File(L"privacy.reg");
        const Finished written = Veilmark(std::wstring(L"/lang en /EXPORT ") + selection + L" \"" + exported + L"\"");
        EXPECT_EQ(0u, written.exitCode) << written.output;
        EXPECT_EQ("Wrote " + WideToUtf8(exported) + ".\r\n", written.output);
        const Finished imported = RunToEnd(L"regedit.exe /s \"" + exported + L"\"", m_workDirectory.Path());
        EXPECT_EQ(0u, imported.exitCode) << imported.output;

        const Finished after = Veilmark(L"/status");
        std::cout << "/status after regedit /s:\n" << after.output;
        // Only the Messenger radios stay on: these selections keep Messenger.
        EXPECT_EQ(1u, after.exitCode);
        for (const auto& [name, state] : States(after.output)) {
            const bool expertOption = name == "RemoveAlexaEntry" || name == "DisableTaskSchedulerService";
            const bool kept = name.rfind("Messenger", 0) == 0 || (expertOption && std::wstring(selection) == L"recommended");
            EXPECT_EQ(kept ? "on" : "off", state) << name;
        }
        EXPECT_EQ(afterApply, RegistrySnapshot());
    }
}

TEST_F(CommandLineE2eTest, BadCommandLinesEndWithCodeThreeAndLeaveTheRegistryAsItWas)
{
    PrepareEverythingOn();
    WriteWhole(m_workDirectory.File(L"bad.txt"), "NoErrorReporting\r\nDisableTimeService\r\nNoSuchThing\r\n");
    WriteWhole(m_workDirectory.File(L"group.txt"), "\xEF\xBB\xBFServicesGroup\n");
    const std::string before = RegistrySnapshot();
    const std::pair<const wchar_t*, const char*> cases[] = {
        {L"/frobnicate", "unknown switch /frobnicate"},
        {L"/apply", "/apply needs a selection"},
        {L"/apply nothing-here.txt", "cannot read the profile nothing-here.txt"},
        {L"/apply bad.txt", "bad.txt, line 3: unknown option key \"NoSuchThing\""},
        {L"/apply group.txt /report r.txt", "group.txt, line 1: \"ServicesGroup\" is a group"},
        {L"/apply expert /report no-such-folder\\r.txt", "cannot write the report no-such-folder\\r.txt"},
        {L"/export expert no-such-folder\\x.reg", "cannot write no-such-folder\\x.reg"},
    };
    for (const auto& [arguments, message] : cases) {
        const Finished finished = Veilmark(std::wstring(L"/lang en ") + arguments);
        EXPECT_EQ(3u, finished.exitCode) << WideToUtf8(arguments);
        EXPECT_NE(std::string::npos, finished.output.find(message)) << finished.output;
    }
    EXPECT_EQ(before, RegistrySnapshot());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(m_workDirectory.File(L"r.txt").c_str()));
}

// An Alexa key that is there but shut to the program is no Alexa key gone:
// /status cannot tell, and /apply, which could neither back it up nor
// delete it, changes nothing.
TEST_F(CommandLineE2eTest, AShutKeyIsUnknownToStatusAndStopsApplyBeforeAnyChange)
{
    PrepareEverythingOn();
    const ShutKey shut(kAlexa);
    const std::string before = RegistrySnapshot();

    const Finished status = Veilmark(L"/status");
    EXPECT_EQ(1u, status.exitCode) << status.output;
    EXPECT_EQ("unknown", States(status.output)["RemoveAlexaEntry"]) << status.output;

    const Finished applied = Veilmark(L"/lang en /apply expert");
    EXPECT_EQ(3u, applied.exitCode) << applied.output;
    EXPECT_NE(std::string::npos, applied.output.find("{c95fe080-8f5d-11d2-a20b-00aa003c157a} cannot be opened"))
        << applied.output;
    EXPECT_EQ(before, RegistrySnapshot());
}

}  // namespace
