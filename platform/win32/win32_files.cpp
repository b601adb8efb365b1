#include "platform/win32/win32_files.h"

#include "platform/utf8.h"
#include "platform/win32/text.h"
#include "platform/win32/win32.h"

namespace {

// Larger files are nothing the program writes or reads.
constexpr DWORD kMaxReadSize = 16 * 1024 * 1024;

std::string LastErrorText(Language language) { return SystemMessage(GetLastError(), language); }

// The folder part of `path`, "." when it has none.
std::wstring FolderOf(const std::wstring& path)
{
    const std::size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos)
        return path.size() >= 2 && path[1] == L':' ? path.substr(0, 2) : L".";
    return slash == 0 ? path.substr(0, 1) : path.substr(0, slash);
}

class Win32OutputFile final : public IOutputFile {
public:
    Win32OutputFile(std::wstring path, std::wstring draft, Language language)
        : m_path(std::move(path)), m_draft(std::move(draft)), m_language(language)
    {
    }
    ~Win32OutputFile() override
    {
        if (!m_committed)
            DeleteFileW(m_draft.c_str());
    }

    bool Commit(const std::vector<std::uint8_t>& content, std::string& error) override
    {
        const HANDLE file =
            CreateFileW(m_draft.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            error = LastErrorText(m_language);
            return false;
        }
        DWORD written = 0;
        const bool complete = WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr) &&
                              written == content.size() && FlushFileBuffers(file);
        if (!complete)
            error = LastErrorText(m_language);
        CloseHandle(file);
        if (!complete)
            return false;
        if (!MoveFileExW(m_draft.c_str(), m_path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED)) {
            error = LastErrorText(m_language);
            return false;
        }
        m_committed = true;
        return true;
    }

private:
    std::wstring m_path;
    std::wstring m_draft;
    Language m_language;
    bool m_committed = false;
};

}  // namespace

bool Win32Files::Read(std::string_view path, std::vector<std::uint8_t>& content, std::string& error)
{
    const HANDLE file = CreateFileW(Utf8ToWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = LastErrorText(m_language);
        return false;
    }
    const DWORD size = GetFileSize(file, nullptr);
    bool read = size != INVALID_FILE_SIZE && size <= kMaxReadSize;
    if (!read) {
        error = SystemMessage(ERROR_FILE_TOO_LARGE, m_language);
    } else {
        content.resize(size);
        DWORD got = 0;
        read = ReadFile(file, content.data(), size, &got, nullptr) && got == size;
        if (!read)
            error = LastErrorText(m_language);
    }
    CloseHandle(file);
    return read;
}

std::unique_ptr<IOutputFile> Win32Files::Create(std::string_view path, std::string& error)
{
    const std::wstring wide = Utf8ToWide(path);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        // What Windows itself answers when a folder is opened as a file.
        error = SystemMessage(ERROR_ACCESS_DENIED, m_language);
        return nullptr;
    }
    // The draft is made in the same folder, so that the final move is a rename.
    wchar_t draft[MAX_PATH];
    if (!GetTempFileNameW(FolderOf(wide).c_str(), L"vmk", 0, draft)) {
        error = LastErrorText(m_language);
        return nullptr;
    }
    return std::make_unique<Win32OutputFile>(wide, draft, m_language);
}

bool Win32Files::MakeFolders(std::string_view path, std::string& error)
{
    const std::wstring wide = Utf8ToWide(path);
    // Each folder on the way down; those that exist are passed by.
    for (std::size_t end = wide.find_first_of(L"\\/", 3);; end = wide.find_first_of(L"\\/", end + 1)) {
        const std::wstring folder = wide.substr(0, end);
        const DWORD attributes = GetFileAttributesW(folder.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            if (!CreateDirectoryW(folder.c_str(), nullptr)) {
                error = LastErrorText(m_language);
                return false;
            }
        } else if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            // A file stands where the folder should be.
            error = SystemMessage(ERROR_ALREADY_EXISTS, m_language);
            return false;
        }
        if (end == std::wstring::npos)
            return true;
    }
}

bool Win32Files::Exists(std::string_view path)
{
    return GetFileAttributesW(Utf8ToWide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> Win32Files::FileNames(std::string_view folder, std::string_view suffix)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((Utf8ToWide(folder) + L"\\*" + Utf8ToWide(suffix)).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        // The pattern matches short names too: "*.reg" finds "a.regx" by its "A~1.REG".
        // Its case, as Windows matches names, does not count.
        const std::string name = WideToUtf8(found.cFileName);
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name.size() >= suffix.size() &&
            EqualsIgnoringCase(std::string_view(name).substr(name.size() - suffix.size()), suffix))
            names.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}
