// Files and folders held in memory, by path. A path can be made unwritable,
// as a read-only folder or a full disk would make it, either at once or only
// when its content is put there.
#pragma once

#include <map>
#include <algorithm>
#include <memory>
#include <set>
#include <string>

#include "platform/files.h"

class MemoryFiles final : public IFiles {
public:
    enum class Refusal { AtCreate, AtCommit };

    void Put(const std::string& path, std::string_view content) { m_files[path].assign(content.begin(), content.end()); }
    bool Has(const std::string& path) const { return m_files.count(path) != 0; }
    void Remove(const std::string& path) { m_files.erase(path); }
    std::string Content(const std::string& path) const
    {
        const auto found = m_files.find(path);
        return found == m_files.end() ? std::string() : std::string(found->second.begin(), found->second.end());
    }
    void Refuse(const std::string& path, Refusal when) { m_refused[path] = when; }
    bool IsFolder(const std::string& path) const { return m_folders.count(path) != 0; }

    bool Read(std::string_view path, std::vector<std::uint8_t>& content, std::string& error) override
    {
        const auto found = m_files.find(std::string(path));
        if (found == m_files.end()) {
            error = "The system cannot find the file specified.";
            return false;
        }
        content = found->second;
        return true;
    }

    std::unique_ptr<IOutputFile> Create(std::string_view path, std::string& error) override
    {
        if (Refused(path, Refusal::AtCreate)) {
            error = "Access is denied.";
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
        const std::string prefix = std::string(folder) + "\\";
        for (const auto& [path, content] : m_files) {
            const std::string name = path.substr(std::min(prefix.size(), path.size()));
            if (path.rfind(prefix, 0) == 0 && name.find('\\') == std::string::npos && name.size() >= suffix.size() &&
                name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
                names.push_back(name);
        }
        return names;
    }

private:
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

    bool Refused(std::string_view path, Refusal when) const
    {
        const auto found = m_refused.find(std::string(path));
        return found != m_refused.end() && found->second == when;
    }

    std::map<std::string, std::vector<std::uint8_t>> m_files;
    std::map<std::string, Refusal> m_refused;
    std::set<std::string> m_folders;
};
