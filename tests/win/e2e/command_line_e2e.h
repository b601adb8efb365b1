// veilmark.exe run from the command line by the end-to-end tests: programs
// run to their end with their output caught, files read and written whole,
// and the registry behind the options as reg.exe shows it.
#pragma once

#include <iostream>
#include <map>
#include <set>
#include <sstream>

#include "tests/win/e2e/app_test.h"




inline constexpr DWORD kRunTimeoutMs = 60000;

struct Finished {
    DWORD exitCode = 0xFFFFFFFF;
    std::string output;  // standard output and error together
};

// Runs a command line from `directory` with its output in a pipe, to its end.
inline Finished RunToEnd(const std::wstring& commandLine, const std::wstring& directory)
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
inline std::string ReadWhole(const std::wstring& path)
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

inline void WriteWhole(const std::wstring& path, const std::string& content)
{
    const HANDLE file =
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    DWORD written = 0;
    WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
}

// Where two texts first differ, line by line, for a failure message.
inline std::string FirstDifference(const std::string& a, const std::string& b)
{
    std::istringstream first(a), second(b);
    std::string lineA, lineB;
    for (int line = 1;; ++line) {
        const bool moreA = static_cast<bool>(std::getline(first, lineA));
        const bool moreB = static_cast<bool>(std::getline(second, lineB));
        if (!moreA && !moreB)
            return "no difference";
        if (!moreA || !moreB || lineA != lineB)
            return "line " + std::to_string(line) + ":\n  " + (moreA ? lineA : "(end)") + "\n  " + (moreB ? lineB : "(end)");
    }
}

// Every key behind an option, as reg.exe names it ("HKLM\\SOFTWARE\\..."), each once.
inline std::set<std::wstring> OptionKeyNames()
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
    return keys;
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
        std::string snapshot;
        for (const std::wstring& key : OptionKeyNames())
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

