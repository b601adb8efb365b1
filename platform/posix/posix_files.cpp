#include "platform/posix/posix_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/utf8.h"

namespace {

// Larger files are nothing the program reads.
constexpr std::size_t kMaxReadSize = 64 * 1024 * 1024;

std::u16string Folded(std::string_view name)
{
    std::u16string units = Utf8ToUtf16(name);
    for (char16_t& unit : units) {
        const bool upper = (unit >= u'A' && unit <= u'Z') || (unit >= 0xC0 && unit <= 0xDE && unit != 0xD7) ||
                           (unit >= 0x391 && unit <= 0x3A9 && unit != 0x3A2) || (unit >= 0x410 && unit <= 0x42F);
        if (upper)
            unit = static_cast<char16_t>(unit + 0x20);
        else if (unit >= 0x400 && unit <= 0x40F)
            unit = static_cast<char16_t>(unit + 0x50);
    }
    return units;
}

std::string SystemWords() { return std::strerror(errno); }

bool IsFolder(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The entry of `folder` that is `name` to Windows, in its stored spelling;
// `name` itself when there is none.
std::string StoredName(const std::string& folder, std::string_view name)
{
    const std::string exact = folder + "/" + std::string(name);
    struct stat info {};
    if (lstat(exact.c_str(), &info) == 0)
        return std::string(name);
    DIR* entries = opendir(folder.c_str());
    if (!entries)
        return std::string(name);
    std::string found(name);
    while (const dirent* entry = readdir(entries)) {
        if (SameFileName(entry->d_name, name)) {
            found = entry->d_name;
            break;
        }
    }
    closedir(entries);
    return found;
}

class PosixOutputFile final : public IOutputFile {
public:
    PosixOutputFile(std::string path, std::string draft) : m_path(std::move(path)), m_draft(std::move(draft)) {}
    ~PosixOutputFile() override
    {
        if (!m_committed)
            unlink(m_draft.c_str());
    }

    bool Commit(const std::vector<std::uint8_t>& content, std::string& error) override
    {
        const int fd = open(m_draft.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
        bool ok = fd >= 0;
        for (std::size_t done = 0; ok && done < content.size();) {
            const ssize_t written = write(fd, content.data() + done, content.size() - done);
            ok = written > 0;
            done += ok ? static_cast<std::size_t>(written) : 0;
        }
        ok = ok && fsync(fd) == 0;
        if (!ok)
            error = SystemWords();
        if (fd >= 0)
            close(fd);
        if (ok && rename(m_draft.c_str(), m_path.c_str()) != 0) {
            error = SystemWords();
            ok = false;
        }
        m_committed = ok;
        return ok;
    }

private:
    std::string m_path;
    std::string m_draft;
    bool m_committed = false;
};

}  // namespace

bool SameFileName(std::string_view a, std::string_view b) { return Folded(a) == Folded(b); }

PosixFiles::PosixFiles(std::string caselessRoot) : m_root(std::move(caselessRoot))
{
    while (m_root.size() > 1 && m_root.back() == '/')
        m_root.pop_back();
}

std::string PosixFiles::Resolve(std::string_view path) const
{
    const bool below = !m_root.empty() && path.starts_with(m_root) &&
                       (path.size() == m_root.size() || path[m_root.size()] == '/' || path[m_root.size()] == '\\');
    if (!below) {
        std::string plain(path);
        std::replace(plain.begin(), plain.end(), '\\', '/');
        return plain;
    }
    std::string resolved = m_root;
    std::string_view rest = path.substr(m_root.size());
    bool exists = true;
    while (!rest.empty()) {
        const std::size_t separator = rest.find_first_of("/\\");
        const std::string_view part = rest.substr(0, separator);
        rest = separator == std::string_view::npos ? std::string_view() : rest.substr(separator + 1);
        if (part.empty())
            continue;
        const std::string name = exists ? StoredName(resolved, part) : std::string(part);
        resolved += "/" + name;
        exists = exists && access(resolved.c_str(), F_OK) == 0;
    }
    return resolved;
}

bool PosixFiles::Read(std::string_view path, std::vector<std::uint8_t>& content, std::string& error)
{
    const int fd = open(Resolve(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = SystemWords();
        return false;
    }
    content.clear();
    std::uint8_t buffer[65536];
    ssize_t got = 0;
    while ((got = read(fd, buffer, sizeof buffer)) > 0 && content.size() <= kMaxReadSize)
        content.insert(content.end(), buffer, buffer + got);
    const bool ok = got == 0;
    if (!ok)
        error = content.size() > kMaxReadSize ? std::strerror(EFBIG) : SystemWords();
    close(fd);
    return ok;
}

std::unique_ptr<IOutputFile> PosixFiles::Create(std::string_view path, std::string& error)
{
    const std::string resolved = Resolve(path);
    std::string draft = resolved + ".veilmark-draft";
    const int fd = open(draft.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        error = SystemWords();
        return nullptr;
    }
    close(fd);
    return std::make_unique<PosixOutputFile>(resolved, std::move(draft));
}

bool PosixFiles::MakeFolders(std::string_view path, std::string& error)
{
    const std::string resolved = Resolve(path);
    for (std::size_t slash = resolved.find('/', 1);; slash = resolved.find('/', slash + 1)) {
        const std::string folder = resolved.substr(0, slash);
        if (!IsFolder(folder) && mkdir(folder.c_str(), 0755) != 0) {
            error = SystemWords();
            return false;
        }
        if (slash == std::string::npos)
            return true;
    }
}

bool PosixFiles::Exists(std::string_view path) { return access(Resolve(path).c_str(), F_OK) == 0; }

std::vector<std::string> PosixFiles::FileNames(std::string_view folder, std::string_view suffix)
{
    std::vector<std::string> names;
    const std::string resolved = Resolve(folder);
    DIR* entries = opendir(resolved.c_str());
    if (!entries)
        return names;
    while (const dirent* entry = readdir(entries)) {
        const std::string_view name = entry->d_name;
        struct stat info {};
        if (name.size() > suffix.size() && SameFileName(name.substr(name.size() - suffix.size()), suffix) &&
            stat((resolved + "/" + std::string(name)).c_str(), &info) == 0 && S_ISREG(info.st_mode))
            names.emplace_back(name);
    }
    closedir(entries);
    return names;
}
