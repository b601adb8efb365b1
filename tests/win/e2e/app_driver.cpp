#include "tests/win/e2e/app_driver.h"

#include <cstdio>
#include <cwchar>

#include "platform/win32/text.h"
#include "res/resource.h"

namespace app_driver {

namespace {

constexpr DWORD kAnswerTimeoutMs = 5000;
constexpr int kMessageTextId = 0xFFFF;  // the static that holds a message box's text

bool IsDialogClass(HWND window)
{
    return ClassName(window) == L"#32770";
}

bool IsMainWindow(HWND window)
{
    HWND tree = GetDlgItem(window, IDC_OPTION_TREE);
    return tree && ClassName(tree) == WC_TREEVIEWW;
}

struct SnapshotSearch {
    DWORD processId;
    Windows* windows;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM context)
{
    auto& search = *reinterpret_cast<SnapshotSearch*>(context);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId != search.processId || !IsWindowVisible(window) || !IsDialogClass(window))
        return TRUE;
    if (!search.windows->main && IsMainWindow(window))
        search.windows->main = window;
    else
        search.windows->boxes.push_back(window);
    return TRUE;
}

BOOL CALLBACK CollectChildren(HWND window, LPARAM context)
{
    reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
    return TRUE;
}

std::vector<HWND> ChildrenOf(HWND window)
{
    std::vector<HWND> children;
    EnumChildWindows(window, CollectChildren, reinterpret_cast<LPARAM>(&children));
    return children;
}

std::string Hex(const void* pointer)
{
    char buffer[32];
    std::snprintf(buffer, sizeof(buffer), "%p", pointer);
    return buffer;
}

}  // namespace

// ---- The process -----------------------------------------------------------

AppProcess::~AppProcess()
{
    Terminate();
    if (m_info.hThread)
        CloseHandle(m_info.hThread);
    if (m_info.hProcess)
        CloseHandle(m_info.hProcess);
}

bool AppProcess::Start(const std::wstring& program, const std::wstring& directory, std::string& error,
                       const std::wstring& arguments)
{
    if (m_info.hProcess) {
        error = "already started";
        return false;
    }
    std::wstring commandLine = L"\"" + program + L"\"";
    if (!arguments.empty())
        commandLine += L" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        directory.empty() ? nullptr : directory.c_str(), &startup, &m_info)) {
        error = "cannot start " + WideToUtf8(program) + " (error " + std::to_string(GetLastError()) + ")";
        m_info = {};
        return false;
    }
    return true;
}

bool AppProcess::IsRunning() const
{
    return m_info.hProcess && WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT;
}

bool AppProcess::WaitForExit(DWORD timeoutMs) const
{
    return m_info.hProcess && WaitForSingleObject(m_info.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

void AppProcess::Terminate()
{
    if (!IsRunning())
        return;
    TerminateProcess(m_info.hProcess, 1);
    WaitForSingleObject(m_info.hProcess, kAnswerTimeoutMs);
}

void AppProcess::WaitUntilIdle(DWORD timeoutMs) const
{
    if (m_info.hProcess)
        WaitForInputIdle(m_info.hProcess, timeoutMs);
}

Windows AppProcess::Snapshot() const
{
    return m_info.hProcess ? WindowsOfProcess(m_info.dwProcessId) : Windows{};
}

Windows WindowsOfProcess(DWORD processId)
{
    Windows windows;
    SnapshotSearch search{processId, &windows};
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
    return windows;
}

HWND AppProcess::FocusOfThread(HWND window)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    if (!thread || !GetGUIThreadInfo(thread, &info))
        return nullptr;
    return info.hwndFocus;
}

// ---- Reading windows -------------------------------------------------------

std::wstring ClassName(HWND window)
{
    wchar_t name[256] = {};
    if (!window || !GetClassNameW(window, name, 256))
        return {};
    return name;
}

std::string WindowText(HWND window)
{
    if (!window)
        return {};
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &length))
        return {};
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &copied))
        return {};
    text.resize(copied);
    return WideToUtf8(text);
}

MessageBoxView ReadMessageBox(HWND box)
{
    MessageBoxView view;
    view.title = WindowText(box);
    HWND text = GetDlgItem(box, kMessageTextId);
    if (text) {
        view.text = WindowText(text);
    }
    for (HWND child : ChildrenOf(box)) {
        const std::wstring name = ClassName(child);
        if (!text && _wcsicmp(name.c_str(), L"Static") == 0 &&
            (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) {
            // No static with the usual id: every text static, in window order.
            if (!view.text.empty())
                view.text += '\n';
            view.text += WindowText(child);
        }
        if (_wcsicmp(name.c_str(), L"Button") == 0 && IsWindowVisible(child))
            view.buttons.push_back(GetDlgCtrlID(child));
    }
    return view;
}

std::string DescribeWindows(const Windows& windows)
{
    std::string description =
        windows.main ? "main window \"" + WindowText(windows.main) + "\" " + Hex(windows.main) : "no main window";
    if (windows.boxes.empty())
        return description + ", no message box";
    for (HWND box : windows.boxes) {
        const MessageBoxView view = ReadMessageBox(box);
        description += ", message box \"" + view.title + "\": \"" + view.text + "\"";
    }
    return description;
}

// ---- Icons -----------------------------------------------------------------

namespace {

// A 32-bit top-down bitmap to draw into and read back.
class Canvas {
public:
    Canvas(int width, int height) : m_width(width), m_height(height), m_dc(CreateCompatibleDC(nullptr))
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        m_bits = static_cast<const DWORD*>(bits);
        m_old = SelectObject(m_dc, m_bitmap);
    }
    ~Canvas()
    {
        SelectObject(m_dc, m_old);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    bool Ready() const { return m_bits != nullptr; }
    HDC Dc() const { return m_dc; }
    void Fill(COLORREF colour)
    {
        HBRUSH brush = CreateSolidBrush(colour);
        RECT all{0, 0, m_width, m_height};
        FillRect(m_dc, &all, brush);
        DeleteObject(brush);
    }
    std::vector<DWORD> Pixels() const
    {
        GdiFlush();
        return std::vector<DWORD>(m_bits, m_bits + static_cast<std::size_t>(m_width) * m_height);
    }

private:
    int m_width;
    int m_height;
    HDC m_dc;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
    const DWORD* m_bits = nullptr;
};

HWND IconControl(HWND box)
{
    for (HWND child : ChildrenOf(box)) {
        if (_wcsicmp(ClassName(child).c_str(), L"Static") == 0 &&
            (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON && IsWindowVisible(child))
            return child;
    }
    return nullptr;
}

bool Near(DWORD a, DWORD b)
{
    for (int shift = 0; shift < 24; shift += 8) {
        const int difference = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
        if (difference > 40 || difference < -40)
            return false;
    }
    return true;
}

// The share of the icon's opaque pixels that `shown` does not match; 1 when
// the icon has none. Opaque pixels are those the icon draws alike on two
// different backgrounds.
double Mismatch(LPCWSTR icon, int width, int height, const std::vector<DWORD>& shown)
{
    HICON handle = LoadIconW(nullptr, icon);
    Canvas first(width, height);
    Canvas second(width, height);
    if (!handle || !first.Ready() || !second.Ready())
        return 1;
    first.Fill(RGB(255, 0, 255));
    second.Fill(RGB(0, 255, 0));
    DrawIconEx(first.Dc(), 0, 0, handle, width, height, 0, nullptr, DI_NORMAL);
    DrawIconEx(second.Dc(), 0, 0, handle, width, height, 0, nullptr, DI_NORMAL);
    const std::vector<DWORD> a = first.Pixels();
    const std::vector<DWORD> b = second.Pixels();
    std::size_t opaque = 0;
    std::size_t different = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if ((a[i] & 0xFFFFFF) != (b[i] & 0xFFFFFF))
            continue;
        ++opaque;
        if (!Near(a[i], shown[i]))
            ++different;
    }
    return opaque ? static_cast<double>(different) / static_cast<double>(opaque) : 1;
}

}  // namespace

std::string MessageBoxIcon(HWND box, DWORD timeoutMs)
{
    struct Candidate {
        const char* name;
        LPCWSTR icon;
    };
    static const Candidate candidates[] = {
        {"warning", IDI_WARNING},
        {"question", IDI_QUESTION},
        {"error", IDI_ERROR},
        {"information", IDI_INFORMATION},
    };
    HWND control = IconControl(box);
    if (!control)
        return "no icon";
    RECT place{};
    GetWindowRect(control, &place);
    const int width = place.right - place.left;
    const int height = place.bottom - place.top;
    if (width <= 0 || height <= 0)
        return "no icon";

    for (DWORD start = GetTickCount();; Sleep(100)) {
        Canvas screenshot(width, height);
        HDC screen = GetDC(nullptr);
        const bool grabbed = screenshot.Ready() &&
                             BitBlt(screenshot.Dc(), 0, 0, width, height, screen, place.left, place.top, SRCCOPY);
        ReleaseDC(nullptr, screen);
        if (grabbed) {
            const std::vector<DWORD> shown = screenshot.Pixels();
            for (const Candidate& candidate : candidates) {
                if (Mismatch(candidate.icon, width, height, shown) < 0.05)
                    return candidate.name;
            }
        }
        if (GetTickCount() - start >= timeoutMs)
            return "unrecognised";
    }
}

// ---- Input -----------------------------------------------------------------

void PostKey(HWND target, UINT virtualKey)
{
    const LPARAM scanCode = static_cast<LPARAM>(MapVirtualKeyW(virtualKey, 0)) << 16;
    PostMessageW(target, WM_KEYDOWN, virtualKey, 1 | scanCode);
    PostMessageW(target, WM_KEYUP, virtualKey, 1 | scanCode | (LPARAM{1} << 30) | (LPARAM{1} << 31));
}

void ChooseMenuItem(HWND window, int popup, int position)
{
    // Alt alone selects the first popup of the bar; right moves along it,
    // down opens the popup on its first item, Enter chooses.
    PostMessageW(window, WM_SYSCOMMAND, SC_KEYMENU, 0);
    for (int i = 0; i < popup; ++i)
        PostKey(window, VK_RIGHT);
    PostKey(window, VK_DOWN);
    for (int i = 0; i < position; ++i)
        PostKey(window, VK_DOWN);
    PostKey(window, VK_RETURN);
}

void PostCommand(HWND dialog, int id)
{
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

bool AnswerMessageBox(HWND box, int id, DWORD timeoutMs)
{
    PostCommand(box, id);
    for (DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs; Sleep(20)) {
        if (!IsWindow(box) || !IsWindowVisible(box))
            return true;
    }
    return false;
}

// ---- Menus -----------------------------------------------------------------

namespace {

bool MenuItemText(HMENU menu, int position, std::string& text)
{
    wchar_t buffer[256] = {};
    SetLastError(ERROR_SUCCESS);
    const int length = GetMenuStringW(menu, static_cast<UINT>(position), buffer, 256, MF_BYPOSITION);
    if (length == 0 && GetLastError() != ERROR_SUCCESS)
        return false;
    text = WideToUtf8(std::wstring_view(buffer, static_cast<std::size_t>(length)));
    return true;
}

bool IsSeparator(HMENU menu, int position)
{
    const UINT state = GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION);
    return state != static_cast<UINT>(-1) && (state & MF_SEPARATOR) && !GetSubMenu(menu, position);
}

}  // namespace

std::vector<std::string> ReadMenu(HMENU menu, std::string& error)
{
    std::vector<std::string> lines;
    SetLastError(ERROR_SUCCESS);
    const int popups = GetMenuItemCount(menu);
    if (popups < 0) {
        const DWORD code = GetLastError();
        error = "GetMenuItemCount fails" + (code ? " (error " + std::to_string(code) + ")" : std::string());
        return {};
    }
    for (int i = 0; i < popups; ++i) {
        std::string text;
        if (!MenuItemText(menu, i, text)) {
            error = "menu item " + std::to_string(i) + " cannot be read (error " + std::to_string(GetLastError()) + ")";
            return {};
        }
        HMENU popup = GetSubMenu(menu, i);
        if (!popup) {
            lines.push_back(text + " (a command, id " + std::to_string(GetMenuItemID(menu, i)) + ")");
            continue;
        }
        lines.push_back(text);
        const int items = GetMenuItemCount(popup);
        if (items < 0) {
            error = "popup \"" + text + "\" cannot be read (error " + std::to_string(GetLastError()) + ")";
            return {};
        }
        for (int j = 0; j < items; ++j) {
            if (IsSeparator(popup, j)) {
                lines.push_back("  ----");
                continue;
            }
            std::string item;
            if (!MenuItemText(popup, j, item)) {
                error = "item " + std::to_string(j) + " of \"" + text + "\" cannot be read";
                return {};
            }
            const UINT id = GetMenuItemID(popup, j);
            lines.push_back("  " + (id == static_cast<UINT>(-1) ? std::string("(submenu)") : std::to_string(id)) +
                            " " + item);
        }
    }
    return lines;
}

std::vector<std::string> ReadMenuBar(HWND window, std::string& error)
{
    HMENU bar = GetMenu(window);
    if (!bar) {
        error = "the window has no menu bar";
        return {};
    }
    return ReadMenu(bar, error);
}

std::vector<std::string> ReadMenuResource(const std::wstring& program, int id, std::string& error)
{
    HMODULE module = LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) {
        error = "cannot load " + WideToUtf8(program) + " (error " + std::to_string(GetLastError()) + ")";
        return {};
    }
    std::vector<std::string> lines;
    if (HMENU menu = LoadMenuW(module, MAKEINTRESOURCEW(id))) {
        lines = ReadMenu(menu, error);
        DestroyMenu(menu);
    } else {
        error = "the program has no menu resource " + std::to_string(id);
    }
    FreeLibrary(module);
    return lines;
}

bool ShowsMenuBar(HWND window)
{
    if (!GetMenu(window))
        return false;
    RECT frame{};
    RECT client{};
    if (!GetWindowRect(window, &frame) || !GetClientRect(window, &client))
        return false;
    RECT bare{0, 0, 100, 100};
    AdjustWindowRectEx(&bare, static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE)));
    const LONG frameHeight = (frame.bottom - frame.top) - (client.bottom - client.top);
    return frameHeight > (bare.bottom - bare.top) - 100;
}

// ---- The option tree -------------------------------------------------------

namespace {

constexpr int kLabelCapacity = 260;  // characters, with the terminating zero

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

// The tree's items, parents before children, each with its depth.
std::vector<std::pair<HTREEITEM, int>> ItemsInTreeOrder(HWND tree)
{
    const auto next = [tree](HTREEITEM item, UINT relation) {
        DWORD_PTR answer = 0;
        if (!SendMessageTimeoutW(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item), SMTO_ABORTIFHUNG,
                                 kAnswerTimeoutMs, &answer))
            return HTREEITEM{};
        return reinterpret_cast<HTREEITEM>(answer);
    };
    std::vector<std::pair<HTREEITEM, int>> order;
    std::vector<std::pair<HTREEITEM, int>> pending{{next(nullptr, TVGN_ROOT), 0}};
    while (!pending.empty()) {
        const auto [item, depth] = pending.back();
        pending.pop_back();
        if (!item)
            continue;
        order.emplace_back(item, depth);
        pending.emplace_back(next(item, TVGN_NEXT), depth);
        pending.emplace_back(next(item, TVGN_CHILD), depth + 1);
    }
    return order;
}

class TreeReader {
public:
    TreeReader(HWND tree, HANDLE process)
        : m_tree(tree), m_process(process), m_block(process, sizeof(TVITEMW) + kLabelCapacity * sizeof(wchar_t))
    {
    }

    bool Ready() const { return static_cast<bool>(m_block); }

    // One item's images and text, from the other process.
    bool Read(HTREEITEM item, TreeRow& row)
    {
        auto* remoteItem = m_block.At(0);
        auto* remoteText = reinterpret_cast<wchar_t*>(m_block.At(sizeof(TVITEMW)));
        TVITEMW request{};
        request.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        request.hItem = item;
        request.pszText = remoteText;
        request.cchTextMax = kLabelCapacity;
        const wchar_t empty = L'\0';
        DWORD_PTR answer = 0;
        if (!WriteProcessMemory(m_process, remoteItem, &request, sizeof(request), nullptr) ||
            !WriteProcessMemory(m_process, remoteText, &empty, sizeof(empty), nullptr) ||
            !SendMessageTimeoutW(m_tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(remoteItem), SMTO_ABORTIFHUNG,
                                 kAnswerTimeoutMs, &answer) ||
            !answer)
            return false;
        TVITEMW reply{};
        if (!ReadProcessMemory(m_process, remoteItem, &reply, sizeof(reply), nullptr))
            return false;
        row.image = reply.iImage;
        row.selectedImage = reply.iSelectedImage;
        // The control may answer with a pointer to its own copy of the text
        // instead of filling the buffer; either lives in its process.
        std::wstring text;
        if (!ReadRemoteText(reply.pszText ? reply.pszText : remoteText, text))
            return false;
        row.label = WideToUtf8(text);
        return true;
    }

private:
    // A zero-terminated text of at most kLabelCapacity - 1 characters. One
    // read usually does; near the end of the other process's memory it is
    // read a character at a time.
    bool ReadRemoteText(const wchar_t* remote, std::wstring& text) const
    {
        wchar_t buffer[kLabelCapacity] = {};
        if (ReadProcessMemory(m_process, remote, buffer, (kLabelCapacity - 1) * sizeof(wchar_t), nullptr)) {
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

}  // namespace

void ToggleTreeItem(HWND main, int position)
{
    HWND tree = GetDlgItem(main, IDC_OPTION_TREE);
    const auto order = ItemsInTreeOrder(tree);
    if (position < 0 || position >= static_cast<int>(order.size()))
        return;
    SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET,
                 reinterpret_cast<LPARAM>(order[static_cast<std::size_t>(position)].first));
    SendMessageW(tree, WM_CHAR, L' ', 1);
}

std::vector<TreeRow> ReadOptionTree(HWND main)
{
    HWND tree = GetDlgItem(main, IDC_OPTION_TREE);
    DWORD processId = 0;
    GetWindowThreadProcessId(tree, &processId);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION,
                                 FALSE, processId);
    if (!tree || !process)
        return {};
    std::vector<TreeRow> rows;
    {
        TreeReader reader(tree, process);
        for (const auto& [item, depth] : ItemsInTreeOrder(tree)) {
            TreeRow row;
            row.depth = depth;
            if (!reader.Ready() || !reader.Read(item, row)) {
                rows.clear();
                break;
            }
            rows.push_back(std::move(row));
        }
    }
    CloseHandle(process);
    return rows;
}

// ---- Files -----------------------------------------------------------------

ScratchDirectory::ScratchDirectory(const std::wstring& purpose)
{
    wchar_t temp[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    if (length == 0 || length > MAX_PATH)
        return;
    m_path = std::wstring(temp, length) + L"veilmark-" + purpose + L"-" + std::to_wstring(GetCurrentProcessId()) +
             L"-" + std::to_wstring(GetTickCount());
    m_ready = CreateDirectoryW(m_path.c_str(), nullptr) != 0;
}

ScratchDirectory::~ScratchDirectory()
{
    if (!m_ready)
        return;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((m_path + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileW(File(found.cFileName).c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(m_path.c_str());
}

std::wstring DirectoryOf(const std::wstring& path)
{
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring(L".") : path.substr(0, slash);
}

}  // namespace app_driver
