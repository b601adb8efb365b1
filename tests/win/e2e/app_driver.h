// Drives a running veilmark.exe from outside, the way a user or the system
// would: starts it, finds its main window and its message boxes, reads what
// they show, posts keys, commands and close requests to them, and watches
// whether the process ends. Reads the option tree of the main window from
// outside and takes screenshots.
#pragma once

#include <string>
#include <vector>

#include "platform/win32/win32.h"

namespace app_driver {

// The top-level windows of the program at one moment. The main window is the
// visible dialog with the option tree; it is shown only once its
// initialisation has run. Every other visible dialog-class window of the
// process counts as a message box.
struct Windows {
    HWND main = nullptr;
    std::vector<HWND> boxes;
};

// A message box as the user sees it.
struct MessageBoxView {
    std::string title;           // UTF-8
    std::string text;            // UTF-8, line breaks as in the box
    std::vector<int> buttons;    // ids of the visible buttons, in window order
};

// The program as a child process. Ends it, if still running, when destroyed,
// so that no test leaves it behind.
class AppProcess {
public:
    AppProcess() = default;
    ~AppProcess();
    AppProcess(const AppProcess&) = delete;
    AppProcess& operator=(const AppProcess&) = delete;

    // Starts `program` with `arguments` in `directory` (its current
    // directory). On failure returns false and says why in `error`.
    bool Start(const std::wstring& program, const std::wstring& directory, std::string& error,
               const std::wstring& arguments = {});

    DWORD ProcessId() const { return m_info.dwProcessId; }
    bool IsRunning() const;
    // True when the process ended within `timeoutMs`.
    bool WaitForExit(DWORD timeoutMs) const;
    void Terminate();

    // The process's top-level windows now, of whichever of its threads.
    Windows Snapshot() const;
    // Polls until `done` holds for the windows or the process has ended, for
    // at most `timeoutMs`; returns the last snapshot.
    template <typename Predicate>
    Windows WaitFor(Predicate done, DWORD timeoutMs) const
    {
        const DWORD start = GetTickCount();
        for (;;) {
            Windows windows = Snapshot();
            if (done(windows) || !IsRunning() || GetTickCount() - start >= timeoutMs)
                return windows;
            Sleep(50);
        }
    }
    // Waits until the process first waits for input (its first message loop
    // idles): the main window or a message box of the start-up is then made.
    void WaitUntilIdle(DWORD timeoutMs) const;

    // The window that has the keyboard focus in the thread of `window`.
    static HWND FocusOfThread(HWND window);

private:
    PROCESS_INFORMATION m_info{};
};

// The top-level windows of any process now, on the caller's desktop.
Windows WindowsOfProcess(DWORD processId);

MessageBoxView ReadMessageBox(HWND box);
std::string DescribeWindows(const Windows& windows);  // for failure messages

// Which of the system's message box icons the box shows: "warning",
// "question", "error" or "information", told apart by the pixels on the
// screen (an icon handle means nothing in another process); "no icon" when
// it has no icon control, "unrecognised" when the pixels match none within
// `timeoutMs` (given for the box to be drawn).
std::string MessageBoxIcon(HWND box, DWORD timeoutMs);

// The text of any window, through WM_GETTEXT, which crosses processes.
std::string WindowText(HWND window);
std::wstring ClassName(HWND window);

// A key press and release, posted to `target` as the keyboard would deliver
// them; a dialog's message loop passes them through IsDialogMessage.
void PostKey(HWND target, UINT virtualKey);
// Chooses the item at `position` of the menu bar's popup `popup` (both
// counted from 0) from the keyboard, as posted keys.
void ChooseMenuItem(HWND window, int popup, int position);
// A click on the button `id` of a dialog or message box, as a posted command.
void PostCommand(HWND dialog, int id);
// Answers a message box with the button `id` and waits until it has gone;
// false when it is still there after `timeoutMs`.
bool AnswerMessageBox(HWND box, int id, DWORD timeoutMs);

// A menu as lines: each popup's text, then its items indented as
// "  <id> <text>", separators as "  ----". Empty with `error` set when the
// menu cannot be read.
std::vector<std::string> ReadMenu(HMENU menu, std::string& error);
// The menu bar of a window of any process. Wine keeps a menu's items in the
// process that made it, so there this works on the caller's own windows only.
std::vector<std::string> ReadMenuBar(HWND window, std::string& error);
// The menu resource `id` of a program file, read without running it.
std::vector<std::string> ReadMenuResource(const std::wstring& program, int id, std::string& error);
// Whether the window shows a menu bar: it has a menu, and its frame is
// taller than the same frame without one.
bool ShowsMenuBar(HWND window);

// One item of the option tree, as the control holds it.
struct TreeRow {
    int image = 0;
    int selectedImage = 0;
    int depth = 0;       // 0 for a group
    std::string label;   // UTF-8, trailing spaces kept

    bool operator==(const TreeRow&) const = default;
};

// Every item of the option tree of `main`, a window of another process, in
// tree order (parents before children); empty when it cannot be read.
std::vector<TreeRow> ReadOptionTree(HWND main);
// Makes the item at `position` (in tree order, from 0) of the option tree of
// `main` the caret item and presses the space bar on it, as a user does
// from the keyboard.
void ToggleTreeItem(HWND main, int position);

// A directory of its own below the temporary directory, removed with all its
// files (not subdirectories) when destroyed.
class ScratchDirectory {
public:
    explicit ScratchDirectory(const std::wstring& purpose);
    ~ScratchDirectory();
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    bool Ready() const { return m_ready; }
    const std::wstring& Path() const { return m_path; }
    std::wstring File(const std::wstring& name) const { return m_path + L"\\" + name; }

private:
    std::wstring m_path;
    bool m_ready = false;
};

std::wstring DirectoryOf(const std::wstring& path);

}  // namespace app_driver
