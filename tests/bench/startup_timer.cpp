// Times how long a dialog program takes from process start until its main
// window is up and waiting for input, over several runs, and prints each run
// and the median in milliseconds. tools/measure_startup.sh runs it under Wine
// on veilmark.exe and on a minimal dialog program.
//
// Usage: startup_timer PROGRAM RUNS [WARMUP_RUNS]
//   Warm-up runs are timed and shown but left out of the median.
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
        std::printf("WaitForInputIdle failed (error %lu)\n", idleError);
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

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    int runs = 0;
    int warmups = 0;
    if (argc < 3 || argc > 4 || !ParseCount(argv[2], 1, runs)
        || (argc == 4 && !ParseCount(argv[3], 0, warmups))) {
        std::printf("usage: startup_timer PROGRAM RUNS [WARMUP_RUNS]\n");
        return 2;
    }
    const std::wstring program = argv[1];

    std::vector<double> times;
    for (int i = 0; i < warmups + runs; ++i) {
        const bool warmup = i < warmups;
        Run run;
        if (!TimeOneRun(program, run))
            return 1;
        if (i == 0)
            std::printf("window: \"%s\"\n", ToUtf8(run.title).c_str());
        std::printf("%s %2d: %8.1f ms%s\n", warmup ? "warm-up" : "run    ",
                    warmup ? i + 1 : i - warmups + 1, run.milliseconds,
                    run.forced ? "  (did not close on WM_CLOSE, terminated)" : "");
        if (!warmup)
            times.push_back(run.milliseconds);
        std::fflush(stdout);
    }
    std::printf("median: %.1f ms over %d runs\n", Median(times), runs);
    return 0;
}
