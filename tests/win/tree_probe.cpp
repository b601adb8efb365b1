// Reads the option tree of a running Veilmark from outside, as a user would
// see it: waits for the main dialog, walks its tree control in tree order and
// prints one line per item, "<image> <depth> <label>", the label in UTF-8
// exactly as the control holds it (trailing spaces kept). Before reading it
// can drive the program the way a user does: choose menu items from the
// keyboard and answer the message boxes that follow.
//
// Usage: tree_probe.exe [--desktop NAME] [--wait SECONDS] [--changed]
//                       [--menu POSITION | --answer BUTTON]...
//   --desktop  look on that desktop (a Wine virtual desktop started with
//              "explorer /desktop=NAME,..."), not on the probe's own one
//   --wait     how long to wait for the dialog, a message box or a change,
//              20 seconds by default
//   --changed  read the tree before the actions too, and print it once it
//              differs from that first reading
//   --menu     choose the item at POSITION (from 0) of the first menu
//   --answer   wait for a message box, print "box: <text>" (line breaks as
//              "\n"), press its button BUTTON and wait until it has gone
// The actions run in the order given.
//
// Exit codes: 0 printed the tree, 1 bad arguments, 2 no dialog, 3 no tree
// control on it, 4 the other process's tree could not be read, 5 no message
// box came or it would not go, 6 the tree did not change.
#include <cstdio>
#include <cwchar>
#include <fcntl.h>
#include <io.h>
#include <string>
#include <vector>

#include "platform/win32/text.h"
#include "platform/win32/win32.h"
#include "res/resource.h"
#include "tests/win/app_driver.h"

namespace {

constexpr wchar_t kDialogTitle[] = L"Veilmark V3.13";
constexpr DWORD kAnswerTimeoutMs = 5000;
constexpr int kLabelCapacity = 260;  // characters, with the terminating zero

struct Action {
    enum Kind { Menu, Answer } kind;
    int value;  // the menu position or the button id
};

struct Options {
    const wchar_t* desktop = nullptr;
    DWORD waitMs = 20000;
    bool changed = false;
    std::vector<Action> actions;
};

bool ParseNumber(const wchar_t* text, long& number)
{
    wchar_t* end = nullptr;
    number = std::wcstol(text, &end, 10);
    return end != text && *end == L'\0' && number >= 0;
}

bool ParseArguments(int argc, wchar_t** argv, Options& options)
{
    for (int i = 1; i < argc; ++i) {
        const std::wstring argument = argv[i];
        if (argument == L"--changed") {
            options.changed = true;
            continue;
        }
        long number = 0;
        if (i + 1 >= argc)
            return false;
        if (argument == L"--desktop") {
            options.desktop = argv[++i];
        } else if (argument == L"--wait") {
            if (!ParseNumber(argv[++i], number) || number == 0)
                return false;
            options.waitMs = static_cast<DWORD>(number) * 1000;
        } else if (argument == L"--menu" || argument == L"--answer") {
            if (!ParseNumber(argv[++i], number))
                return false;
            options.actions.push_back({argument == L"--menu" ? Action::Menu : Action::Answer, static_cast<int>(number)});
        } else {
            return false;
        }
    }
    return true;
}

// Window lookups see only the calling thread's desktop. The desktop may not
// exist yet when the probe starts alongside the program, so it is looked for
// for as long as the dialog is.
bool EnterDesktop(const wchar_t* name)
{
    HDESK desktop = OpenDesktopW(name, 0, FALSE, DESKTOP_READOBJECTS | DESKTOP_ENUMERATE);
    if (!desktop)
        return false;
    if (SetThreadDesktop(desktop))
        return true;
    CloseDesktop(desktop);
    return false;
}

// The dialog counts as up once it is shown: the dialog manager shows it only
// after WM_INITDIALOG, which builds the tree, has returned.
HWND WaitForDialog(const Options& options)
{
    const DWORD start = GetTickCount();
    bool onDesktop = options.desktop == nullptr;
    for (;;) {
        if (!onDesktop)
            onDesktop = EnterDesktop(options.desktop);
        if (onDesktop) {
            HWND dialog = FindWindowW(nullptr, kDialogTitle);
            if (dialog && IsWindowVisible(dialog))
                return dialog;
        }
        if (GetTickCount() - start >= options.waitMs) {
            if (!onDesktop)
                std::fprintf(stderr, "tree_probe: no desktop \"%s\" (error %lu)\n",
                             WideToUtf8(options.desktop).c_str(), GetLastError());
            return nullptr;
        }
        Sleep(100);
    }
}

bool IsTreeControl(HWND window)
{
    wchar_t className[64] = {};
    return window && GetClassNameW(window, className, 64) && std::wcscmp(className, WC_TREEVIEWW) == 0;
}

// A block of memory in the process that owns the tree: TVM_GETITEMW takes a
// pointer that the control dereferences in its own address space.
class RemoteBlock {
public:
    RemoteBlock(HANDLE process, SIZE_T size)
        : m_process(process),
          m_address(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE))
    {
    }
    ~RemoteBlock()
    {
        if (m_address)
            VirtualFreeEx(m_process, m_address, 0, MEM_RELEASE);
    }
    RemoteBlock(const RemoteBlock&) = delete;
    RemoteBlock& operator=(const RemoteBlock&) = delete;

    explicit operator bool() const { return m_address != nullptr; }
    char* At(SIZE_T offset) const { return static_cast<char*>(m_address) + offset; }

private:
    HANDLE m_process;
    void* m_address;
};

struct ItemLine {
    int image;
    int selectedImage;
    int depth;
    std::string label;

    bool operator==(const ItemLine&) const = default;
};

class TreeReader {
public:
    TreeReader(HWND tree, HANDLE process)
        : m_tree(tree), m_process(process), m_block(process, sizeof(TVITEMW) + kLabelCapacity * sizeof(wchar_t))
    {
    }

    bool Ready() const { return static_cast<bool>(m_block); }

    // Every item below `first` and its siblings, parents before children.
    bool Walk(HTREEITEM first, int depth, std::vector<ItemLine>& lines)
    {
        for (HTREEITEM item = first; item; item = Next(item, TVGN_NEXT)) {
            ItemLine line{};
            line.depth = depth;
            if (!Read(item, line))
                return false;
            lines.push_back(std::move(line));
            if (HTREEITEM child = Next(item, TVGN_CHILD); child && !Walk(child, depth + 1, lines))
                return false;
        }
        return true;
    }

    HTREEITEM Next(HTREEITEM item, UINT relation) const
    {
        DWORD_PTR answer = 0;
        if (!SendMessageTimeoutW(m_tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item),
                                 SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &answer))
            return nullptr;
        return reinterpret_cast<HTREEITEM>(answer);
    }

private:
    bool Read(HTREEITEM item, ItemLine& line)
    {
        auto* remoteItem = m_block.At(0);
        auto* remoteText = reinterpret_cast<wchar_t*>(m_block.At(sizeof(TVITEMW)));

        TVITEMW request{};
        request.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        request.hItem = item;
        request.pszText = remoteText;
        request.cchTextMax = kLabelCapacity;
        const wchar_t empty = L'\0';
        if (!WriteProcessMemory(m_process, remoteItem, &request, sizeof(request), nullptr) ||
            !WriteProcessMemory(m_process, remoteText, &empty, sizeof(empty), nullptr))
            return false;

        DWORD_PTR answer = 0;
        if (!SendMessageTimeoutW(m_tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(remoteItem), SMTO_ABORTIFHUNG,
                                 kAnswerTimeoutMs, &answer) ||
            !answer)
            return false;

        TVITEMW reply{};
        if (!ReadProcessMemory(m_process, remoteItem, &reply, sizeof(reply), nullptr))
            return false;
        line.image = reply.iImage;
        line.selectedImage = reply.iSelectedImage;

        // The control may answer with a pointer to its own copy of the text
        // instead of filling the buffer; either lives in its process.
        std::wstring text;
        if (!ReadRemoteText(reply.pszText ? reply.pszText : remoteText, text))
            return false;
        line.label = WideToUtf8(text);
        return true;
    }

    // A zero-terminated string of at most kLabelCapacity - 1 characters. One
    // read usually does; where the text sits near the end of the other
    // process's memory, it is read a character at a time up to its end.
    bool ReadRemoteText(const wchar_t* remote, std::wstring& text) const
    {
        wchar_t buffer[kLabelCapacity] = {};
        const SIZE_T bytes = (kLabelCapacity - 1) * sizeof(wchar_t);
        if (ReadProcessMemory(m_process, remote, buffer, bytes, nullptr)) {
            text = buffer;
            return true;
        }
        text.clear();
        for (int i = 0; i < kLabelCapacity - 1; ++i) {
            wchar_t c = L'\0';
            if (!ReadProcessMemory(m_process, remote + i, &c, sizeof(c), nullptr))
                return false;
            if (c == L'\0')
                return true;
            text.push_back(c);
        }
        return true;
    }

    HWND m_tree;
    HANDLE m_process;
    RemoteBlock m_block;
};

void Print(const ItemLine& line)
{
    // An item whose selected image differs from its normal one shows both,
    // so a comparison of images cannot pass over it.
    if (line.image == line.selectedImage)
        std::printf("%d %d %s\n", line.image, line.depth, line.label.c_str());
    else
        std::printf("%d/%d %d %s\n", line.image, line.selectedImage, line.depth, line.label.c_str());
}

// Every item of the tree, or nothing when it cannot be read.
std::vector<ItemLine> ReadTree(HWND tree, HANDLE process)
{
    std::vector<ItemLine> lines;
    TreeReader reader(tree, process);
    if (!reader.Ready() || !reader.Walk(reader.Next(nullptr, TVGN_ROOT), 0, lines))
        lines.clear();
    return lines;
}

// A reading takes one message per item, and a command of the program may run
// between any two of them: a reading counts once the next one agrees. With
// `changedFrom`, also waits until the tree differs from that reading.
std::vector<ItemLine> ReadSettledTree(HWND tree, HANDLE process, DWORD waitMs, const std::vector<ItemLine>* changedFrom)
{
    std::vector<ItemLine> lines = ReadTree(tree, process);
    for (const DWORD start = GetTickCount(); GetTickCount() - start < waitMs; Sleep(50)) {
        std::vector<ItemLine> next = ReadTree(tree, process);
        const bool settled = next == lines && !(changedFrom && next == *changedFrom);
        lines = std::move(next);
        if (settled)
            break;
    }
    return lines;
}

std::string OneLine(const std::string& text)
{
    std::string line;
    for (char c : text) {
        if (c == '\n')
            line += "\\n";
        else if (c == '\r')
            line += "\\r";
        else
            line += c;
    }
    return line;
}

// Waits for a message box of the program, prints its text and presses `button`.
bool AnswerBox(DWORD processId, int button, DWORD waitMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        const app_driver::Windows windows = app_driver::WindowsOfProcess(processId);
        if (!windows.boxes.empty()) {
            HWND box = windows.boxes.front();
            std::printf("box: %s\n", OneLine(app_driver::ReadMessageBox(box).text).c_str());
            return app_driver::AnswerMessageBox(box, button, kAnswerTimeoutMs);
        }
        if (GetTickCount() - start >= waitMs)
            return false;
        Sleep(50);
    }
}

class ProcessHandle {
public:
    explicit ProcessHandle(DWORD processId)
        : m_handle(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION,
                               FALSE, processId))
    {
    }
    ~ProcessHandle()
    {
        if (m_handle)
            CloseHandle(m_handle);
    }
    ProcessHandle(const ProcessHandle&) = delete;
    ProcessHandle& operator=(const ProcessHandle&) = delete;

    HANDLE Get() const { return m_handle; }

private:
    HANDLE m_handle;
};

int Run(const Options& options)
{
    HWND dialog = WaitForDialog(options);
    if (!dialog) {
        std::fprintf(stderr, "tree_probe: no window \"%s\" within %lu s\n", WideToUtf8(kDialogTitle).c_str(),
                     options.waitMs / 1000);
        return 2;
    }
    HWND tree = GetDlgItem(dialog, IDC_OPTION_TREE);
    if (!IsTreeControl(tree)) {
        std::fprintf(stderr, "tree_probe: the dialog has no tree control with id %d\n", IDC_OPTION_TREE);
        return 3;
    }

    DWORD processId = 0;
    GetWindowThreadProcessId(tree, &processId);
    ProcessHandle process(processId);
    if (!process.Get()) {
        std::fprintf(stderr, "tree_probe: cannot open process %lu (error %lu)\n", processId, GetLastError());
        return 4;
    }
    const std::vector<ItemLine> before =
        options.changed ? ReadSettledTree(tree, process.Get(), options.waitMs, nullptr) : std::vector<ItemLine>{};
    if (options.changed && before.empty()) {
        std::fprintf(stderr, "tree_probe: could not read the tree items (error %lu)\n", GetLastError());
        return 4;
    }

    for (const Action& action : options.actions) {
        if (action.kind == Action::Menu) {
            app_driver::ChooseMenuItem(dialog, 0, action.value);
        } else if (!AnswerBox(processId, action.value, options.waitMs)) {
            std::fprintf(stderr, "tree_probe: no message box to answer with %d, or it stayed\n", action.value);
            return 5;
        }
    }

    std::vector<ItemLine> lines = ReadSettledTree(tree, process.Get(), options.waitMs, options.changed ? &before : nullptr);
    if (lines.empty()) {
        std::fprintf(stderr, "tree_probe: could not read the tree items (error %lu)\n", GetLastError());
        return 4;
    }
    for (const ItemLine& line : lines)
        Print(line);
    if (options.changed && lines == before) {
        std::fprintf(stderr, "tree_probe: the tree did not change within %lu s\n", options.waitMs / 1000);
        return 6;
    }
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    // Lines end in "\n" alone, whatever reads them on the other side.
    _setmode(_fileno(stdout), _O_BINARY);

    Options options;
    if (!ParseArguments(argc, argv, options)) {
        std::fprintf(stderr, "usage: tree_probe.exe [--desktop NAME] [--wait SECONDS] [--changed] "
                             "[--menu POSITION | --answer BUTTON]...\n");
        return 1;
    }
    return Run(options);
}
