// The folders of a Windows XP installed on C:, or whatever a test sets.
#pragma once

#include "platform/system_folders.h"

class MemorySystemFolders final : public ISystemFolders {
public:
    std::string windows = "C:\\WINDOWS";
    std::string system = "C:\\WINDOWS\\system32";
    std::string programFiles = "C:\\Program Files";
    std::string appData = "C:\\Documents and Settings\\user\\Application Data";

    std::string WindowsDirectory() const override { return windows; }
    std::string SystemDirectory() const override { return system; }
    std::string ProgramFilesDirectory() const override { return programFiles; }
    std::string AppDataDirectory() const override { return appData; }
};
