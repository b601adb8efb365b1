// Files and folders held in memory, by path, with names matched without
// regard to case as Windows matches them. A drive's root ("C:") and the
// current folder (a path with no folder part) are always there; other
// folders once made. A path can be made unwritable, as a read-only folder
// or a full disk would make it, either at once or only when its content is
// put there. tests/files_contract.h holds it to the real files.
#pragma once

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>

#include "platform/files.h"
#include "platform/utf8.h"

class MemoryFiles final : public IFiles {
public:
    enum class Refusal { AtCreate, AtCommit };

    // A file put there as it is, in a folder that need not have been made.
    void Put(const std::string& path, std::string_view content) { m_files[path].assign(content.begin(), content.end()); }
    bool Has(const std::string& path) const { return m_files.count(path) != 0; }
    void Remove(const std::string& path) { m_files.erase(path); }
    std::string Content(const std::string& path) const
    {
        const auto found = m_files.find(path);
        return found == m_files.end() ? std::string() : std::string(found->second.begin(), found->second.end());
    }
    void Refuse(const std::string& path, Refusal when) { m_refused[path] = when; }

    bool Read(std::string_view path, std::vector<std::uint8_t>& content, std::string& error) override
    {
        const auto found = m_files.find(std::string(path));
        if (found == m_files.end()) {
            error = IsFolder(path) ? kAccessDenied : "The system cannot find the file specified.";
            return false;
        }
        content = found->second;
        return true;
    }

    std::unique_ptr<IOutputFile> Create(std::string_view path, std::string& error) override
    {
        // As Windows answers a folder opened as a file.
        if (Refused(path, Refusal::AtCreate) || IsFolder(path)) {
            error = kAccessDenied;
            return nullptr;
        }
        if (!IsFolder(FolderOf(path))) {
            error = "The system cannot find the path specified.";
            return nullptr;
        }
        return std::make_unique<Draft>(*this, std::string(path));
    }

    bool MakeFolders(std::string_view path, std::string& error) override
    {
        // Every folder on the way down, from the drive's.
        for (std::size_t end = path.find('\\'); ; end = path.find('\\', end + 1)) {
            const std::string folder(path.substr(0, end));
            if (m_files.count(folder)) {
                error = "Cannot create a file when that file already exists.";
                return false;
            }
            if (folder.find('\\') != std::string::npos)
                m_folders.insert(folder);
            if (end == std::string_view::npos)
                return true;
        }
    }
    bool Exists(std::string_view path) override
    {
        return m_files.count(std::string(path)) != 0 || m_folders.count(std::string(path)) != 0;
    }
    std::vector<std::string> FileNames(std::string_view folder, std::string_view suffix) override
    {
        std::vector<std::string> names;
        for (const auto& [path, content] : m_files) {
            const std::string_view name = std::string_view(path).substr(std::min(folder.size() + 1, path.size()));
            if (EqualsIgnoringCase(FolderOf(path), folder) && name.size() >= suffix.size() &&
                EqualsIgnoringCase(name.substr(name.size() - suffix.size()), suffix))
                names.emplace_back(name);
        }
        return names;
    }

private:
    // Orders names as Windows tells them apart: case aside.
    struct CaselessLess {
        bool operator()(const std::string& a, const std::string& b) const
        {
            return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                                [](char x, char y) { return FoldAscii(x) < FoldAscii(y); });
        }
    };

    class Draft final : public IOutputFile {
    public:
        Draft(MemoryFiles& files, std::string path) : m_files(files), m_path(std::move(path)) {}
        bool Commit(const std::vector<std::uint8_t>& content, std::string& error) override
        {
            if (m_files.Refused(m_path, Refusal::AtCommit)) {
                error = "There is not enough space on the disk.";
                return false;
            }
            m_files.m_files[m_path] = content;
            return true;
        }

    private:
        MemoryFiles& m_files;
        std::string m_path;
    };

    static constexpr const char* kAccessDenied = "Access is denied.";

    static std::string_view FolderOf(std::string_view path)
    {
        const std::size_t slash = path.rfind('\\');
        return slash == std::string_view::npos ? std::string_view() : path.substr(0, slash);
    }
    // The current folder, a drive's root or a folder made.
    bool IsFolder(std::string_view path) const
    {
        return path.empty() || (path.size() == 2 && path[1] == ':') || m_folders.count(std::string(path)) != 0;
    }
    bool Refused(std::string_view path, Refusal when) const
    {
        const auto found = m_refused.find(std::string(path));
        return found != m_refused.end() && found->second == when;
    }

    std::map<std::string, std::vector<std::uint8_t>, CaselessLess> m_files;
    std::map<std::string, Refusal, CaselessLess> m_refused;
    std::set<std::string, CaselessLess> m_folders;
};
