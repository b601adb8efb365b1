// Files on disk, for the runs from the command line. A file is written in
// full beside its path first and then moved over it, so that a failure
// halfway leaves no half-written file.
#pragma once

#include "platform/files.h"

class Win32Files final : public IFiles {
public:
    bool Read(std::string_view path, std::vector<std::uint8_t>& content, std::string& error) override;
    std::unique_ptr<IOutputFile> Create(std::string_view path, std::string& error) override;
    bool MakeFolders(std::string_view path, std::string& error) override;
    bool Exists(std::string_view path) override;
    std::vector<std::string> FileNames(std::string_view folder, std::string_view suffix) override;
};
