// The system's folders as Windows reports them.
#pragma once

#include "platform/system_folders.h"

class Win32SystemFolders final : public ISystemFolders {
public:
    // The shared Windows folder, also under Terminal Services (where the
    // plain Windows directory is each user's own).
    std::string WindowsDirectory() const override;
    std::string SystemDirectory() const override;
    std::string ProgramFilesDirectory() const override;
    std::string AppDataDirectory() const override;
};
