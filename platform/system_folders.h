// Port: the folders of the system, as the system itself reports them.
// Paths carry no trailing backslash.
#pragma once

#include <string>
#include <string_view>

class ISystemFolders {
public:
    ISystemFolders() = default;
    ISystemFolders(const ISystemFolders&) = delete;
    ISystemFolders& operator=(const ISystemFolders&) = delete;
    virtual ~ISystemFolders() = default;

    virtual std::string WindowsDirectory() const = 0;  // C:\WINDOWS
    virtual std::string SystemDirectory() const = 0;   // C:\WINDOWS\system32
    virtual std::string ProgramFilesDirectory() const = 0;  // C:\Program Files
    // The user's roaming application data: C:\Documents and Settings\NAME\Application Data
    virtual std::string AppDataDirectory() const = 0;
};

// `directory` and `name` joined by one backslash.
inline std::string JoinPath(std::string_view directory, std::string_view name)
{
    std::string path(directory);
    if (!path.empty() && path.back() != '\\')
        path += '\\';
    return path + std::string(name);
}
