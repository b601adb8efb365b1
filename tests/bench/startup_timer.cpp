// Times how long dialog programs take from process start until their main
// window is up and waiting for input, over several runs, and prints each run
// and the medians in milliseconds. tools/measure_startup.sh runs it under Wine
// on veilmark.exe and on a minimal dialog program.
//
// Usage: startup_timer [--warmup N] RUNS PROGRAM [PROGRAM...]
//   Times each program RUNS times, in rounds that start every program once
//   in turn. The N warm-up rounds come first; they are shown but left out of
//   the medians.
// Exits 0 when every run brought up a window, 1 when one did not, 2 on bad usage.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr DWORD kStartTimeoutMs = 30000;  // for the window to come up
constexpr DWORD kCloseTimeoutMs = 10000;  // for the program to end on WM_CLOSE

std::string ToUtf8(const std::wstring& text)
{
    if (text.empty())
        return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), size,
                        nullptr, nullptr);
    return out;
}

std::wstring WindowTitle(HWND window)
{
    wchar_t title[256] = {};
    GetWindowTextW(window, title, 256);
    return title;
}

// The visible top-level windows of one process. The main window is the one
// without an owner; an owned one alone means the program is showing a prompt
// (a message box is owned by the still hidden dialog) rather than its dialog.
struct ProcessWindows {
    DWORD processId;
    HWND main = nullptr;
    HWND owned = nullptr;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM param)
{
    auto& search = *reinterpret_cast<ProcessWindows*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search.processId || !IsWindowVisible(window))
        return TRUE;
    if (GetWindow(window, GW_OWNER))
        search.owned = search.owned ? search.owned : window;
    else
        search.main = window;
    return search.main ? FALSE : TRUE;
}

ProcessWindows FindWindows(DWORD processId)
{
    ProcessWindows windows{processId};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

// Asks the program to close through its window; ends it by force when it
// does not. Returns true when it had to be forced.
bool EndProgram(HANDLE process, HWND window)
{
    if (window && PostMessageW(window, WM_CLOSE, 0, 0)
        && WaitForSingleObject(process, kCloseTimeoutMs) == WAIT_OBJECT_0)
        return false;
    TerminateProcess(process, 1);
    WaitForSingleObject(process, kCloseTimeoutMs);
    return true;
}

struct Run {
    double milliseconds = 0;
    bool forced = false;        // ended by TerminateProcess
    std::wstring title;         // of the window that came up
};

// Starts the program once and times it until its main window is up and the
// program waits for input. Prints what went wrong and returns false when the
// window does not come up.
bool TimeOneRun(const std::wstring& program, Run& run)
{
    LARGE_INTEGER frequency, start, ready;
    QueryPerformanceFrequency(&frequency);
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION child{};

    QueryPerformanceCounter(&start);
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &child)) {
        std::printf("cannot start %s (error %lu)\n", ToUtf8(program).c_str(), GetLastError());
        return false;
    }
    // Returns once the program's message loop first finds nothing to do:
    // for a dialog program, the dialog is created, shown and painted.
    const DWORD idle = WaitForInputIdle(child.hProcess, kStartTimeoutMs);
    const DWORD idleError = GetLastError();
    const ProcessWindows windows = idle == 0 ? FindWindows(child.dwProcessId) : ProcessWindows{};
    QueryPerformanceCounter(&ready);

    bool ok = false;
    if (WaitForSingleObject(child.hProcess, 0) == WAIT_OBJECT_0) {
        DWORD code = 0;
        GetExitCodeProcess(child.hProcess, &code);
        std::printf("the program ended (exit code %lu) before showing a window\n", code);
    } else if (idle == WAIT_TIMEOUT) {
        std::printf("the program did not wait for input within %lu ms\n", kStartTimeoutMs);
    } else if (idle != 0) {
        std::printf("WaitForInputIdle failed (error %lu): a console program cannot be timed\n",
                    idleError);
    } else if (!windows.main && windows.owned) {
        std::printf("the program shows a prompt instead of its main window: \"%s\"\n",
                    ToUtf8(WindowTitle(windows.owned)).c_str());
    } else if (!windows.main) {
        std::printf("the program waits for input but shows no window\n");
    } else {
        ok = true;
        run.milliseconds = static_cast<double>(ready.QuadPart - start.QuadPart) * 1000.0
                           / static_cast<double>(frequency.QuadPart);
        run.title = WindowTitle(windows.main);
    }
    run.forced = EndProgram(child.hProcess, windows.main);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
    return ok;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

bool ParseCount(const wchar_t* text, int minimum, int& count)
{
    wchar_t* end = nullptr;
    const long value = std::wcstol(text, &end, 10);
    if (end == text || *end || value < minimum || value > 1000)
        return false;
    count = static_cast<int>(value);
    return true;
}

std::wstring FileName(const std::wstring& path)
{
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    // A user's desktop is there before any program starts. Under Wine it
    // is a process of its own that ends when no program uses it, so every
    // run would pay for starting it again, a large and uneven share of the
    // time; a hidden window of this program keeps it up for all runs.
    HWND keepDesktop = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    int warmups = 0;
    int next = 1;
    if (argc > 2 && std::wcscmp(argv[1], L"--warmup") == 0) {
        if (!ParseCount(argv[2], 0, warmups))
            argc = 0;  // bad usage
        next = 3;
    }
    int runs = 0;
    if (argc - next < 2 || !ParseCount(argv[next], 1, runs)) {
        std::printf("usage: startup_timer [--warmup N] RUNS PROGRAM [PROGRAM...]\n");
        return 2;
    }
    const std::vector<std::wstring> programs(argv + next + 1, argv + argc);

    // Round by round, every program once in turn, so that a change in the
    // machine's load falls on all of them alike.
    std::vector<std::vector<double>> times(programs.size());
    bool anyForced = false;
    for (int round = 0; round < warmups + runs; ++round) {
        const bool warmup = round < warmups;
        std::string row;
        char cell[64];
        std::snprintf(cell, sizeof(cell), "%-10s %2d ", warmup ? "warm-up" : "run",
                      warmup ? round + 1 : round - warmups + 1);
        row = cell;
        for (std::size_t i = 0; i < programs.size(); ++i) {
            Run run;
            if (!TimeOneRun(programs[i], run))
                return 1;
            if (round == 0)
                std::printf("window of %s: \"%s\"\n", ToUtf8(FileName(programs[i])).c_str(),
                            ToUtf8(run.title).c_str());
            std::snprintf(cell, sizeof(cell), " %20.1f%s", run.milliseconds, run.forced ? "*" : " ");
            row += cell;
            anyForced = anyForced || run.forced;
            if (!warmup)
                times[i].push_back(run.milliseconds);
        }
        if (round == 0) {
            std::printf("%-14s", "times in ms");
            for (const std::wstring& program : programs)
                std::printf(" %20s ", ToUtf8(FileName(program)).c_str());
            std::printf("\n");
        }
        std::printf("%s\n", row.c_str());
        std::fflush(stdout);
    }
    // Other load on the machine only ever adds time: the fastest run is the
    // least disturbed one, next to the median.
    DestroyWindow(keepDesktop);
    std::printf("%-14s", "median");
    for (const std::vector<double>& series : times)
        std::printf(" %20.1f ", Median(series));
    std::printf("\n%-14s", "fastest");
    for (const std::vector<double>& series : times)
        std::printf(" %20.1f ", *std::min_element(series.begin(), series.end()));
    std::printf("\n");
    if (anyForced)
        std::printf("* did not close on WM_CLOSE and was ended by TerminateProcess\n");
    return 0;
}
