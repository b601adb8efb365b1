// veilmark.exe run from the command line with the real registry, and its
// .reg export imported by Wine's own regedit: the import must leave the
// registry as /apply leaves it, and bad command lines must change nothing.
#include <iostream>
#include <map>
#include <set>
#include <sstream>

#include "tests/win/e2e/app_test.h"
#include "tests/win/e2e/option_keys.h"

namespace {

using namespace option_keys;
using namespace registry_state;

constexpr DWORD kRunTimeoutMs = 60000;

struct Finished {
    DWORD exitCode = 0xFFFFFFFF;
    std::string output;  // standard output and error together
};

// Runs a command line from `directory` with its output in a pipe, to its end.
Finished RunToEnd(const std::wstring& commandLine, const std::wstring& directory)
{
    Finished finished;
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) {
        ADD_FAILURE() << "cannot make a pipe";
        return finished;
    }
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    PROCESS_INFORMATION process{};
    std::wstring line = commandLine;
    const bool started = CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, directory.c_str(),
                                        &startup, &process);
    CloseHandle(writeEnd);
    if (!started) {
        ADD_FAILURE() << "cannot start " << WideToUtf8(commandLine);
        CloseHandle(readEnd);
        return finished;
    }
    char buffer[4096];
    for (DWORD got = 0; ReadFile(readEnd, buffer, sizeof(buffer), &got, nullptr) && got;)
        finished.output.append(buffer, got);
    CloseHandle(readEnd);
    if (WaitForSingleObject(process.hProcess, kRunTimeoutMs) != WAIT_OBJECT_0)
        ADD_FAILURE() << WideToUtf8(commandLine) << " did not end";
    GetExitCodeProcess(process.hProcess, &finished.exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return finished;
}

// A whole file's bytes; empty when there is none.
std::string ReadWhole(const std::wstring& path)
{
    std::string content;
    const HANDLE file =
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return content;
    char buffer[4096];
    for (DWORD got = 0; ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got;)
        content.append(buffer, got);
    CloseHandle(file);
    return content;
}

void WriteWhole(const std::wstring& path, const std::string& content)
{
    const HANDLE file =
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    DWORD written = 0;
    WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
}

class CommandLineE2eTest : public AppTest {
protected:
    Finished Veilmark(const std::wstring& arguments)
    {
        return RunToEnd(L"\"" + ProgramUnderTest() + L"\" " + arguments, m_workDirectory.Path());
    }

    // What reg.exe shows of every key behind the options.
    std::string RegistrySnapshot()
    {
        std::set<std::wstring> keys;
        for (const CatalogueEntry& entry : Catalogue()) {
            if (!entry.binding.keyPath)
                continue;
            const wchar_t* root = entry.binding.root == RegistryRoot::CurrentUser    ? L"HKCU\\"
                                  : entry.binding.root == RegistryRoot::LocalMachine ? L"HKLM\\"
                                                                                     : L"HKCR\\";
            keys.insert(root + Utf8ToWide(entry.binding.keyPath));
        }
        std::string snapshot;
        for (const std::wstring& key : keys)
            snapshot += RunToEnd(L"reg.exe query \"" + key + L"\"", m_workDirectory.Path()).output;
        return snapshot;
    }

    // The state each option's line of a /status output gives, by option name.
    static std::map<std::string, std::string> States(const std::string& output)
    {
        std::map<std::string, std::string> states;
        std::istringstream lines(output);
        for (std::string line; std::getline(lines, line);) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            const std::size_t tab = line.find('\t');
            if (tab != std::string::npos)
                states[line.substr(0, tab)] = line.substr(line.rfind('\t') + 1);
        }
        return states;
    }
};

TEST_F(CommandLineE2eTest, AnExportImportedByRegeditLeavesTheRegistryAsApplyDoes)
{
    for (const wchar_t* selection : {L"recommended", L"expert"}) {
        SCOPED_TRACE(WideToUtf8(selection));
        PrepareEverythingOn();
        const Finished before = Veilmark(L"/status");
        EXPECT_EQ(1u, before.exitCode) << before.output;
        std::cout << "/status before:\n" << before.output;

        const std::wstring report = m_workDirectory.File(L"apply report.txt");
        const Finished applied = Veilmark(std::wstring(L"/apply ") + selection + L" /report \"" + report + L"\"");
        EXPECT_EQ(0u, applied.exitCode) << applied.output;
        const std::string savedText = ReadWhole(report);
        EXPECT_EQ(0u, savedText.find("\xEF\xBB\xBF" "Microsoft Windows XP Professional (edition: ")) << savedText;
        EXPECT_NE(std::string::npos, savedText.find("RemoveSupportUsers\t")) << savedText;
        const std::string afterApply = RegistrySnapshot();
        EXPECT_NE(std::string::npos, afterApply.find("DoReport")) << afterApply;

        PrepareEverythingOn();
        const std::wstring exported = m_workDirectory.File(L"privacy.reg");
        const Finished written = Veilmark(std::wstring(L"/EXPORT ") + selection + L" \"" + exported + L"\"");
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
        const Finished finished = Veilmark(arguments);
        EXPECT_EQ(3u, finished.exitCode) << WideToUtf8(arguments);
        EXPECT_NE(std::string::npos, finished.output.find(message)) << finished.output;
    }
    EXPECT_EQ(before, RegistrySnapshot());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(m_workDirectory.File(L"r.txt").c_str()));
}

}  // namespace
