// Files on disk, for the runs from the command line. A file is written in
// full beside its path first and then moved over it, so that a failure
// halfway leaves no half-written file.
#pragma once

#include "lang/languages.h"
#include "platform/files.h"
#include "platform/win32/win32.h"

class Win32Files final : public IFiles {
public:
    // The system's words for an error in `language` where it has none.
    explicit Win32Files(Language language) : m_language(language) {}

    bool Read(std::string_view path, std::vector<std::uint8_t>& content, std::string& error) override;
    std::unique_ptr<IOutputFile> Create(std::string_view path, std::string& error) override;
    bool MakeFolders(std::string_view path, std::string& error) override;
    bool Exists(std::string_view path) override;
    std::vector<std::string> FileNames(std::string_view folder, std::string_view suffix) override;

private:
    Language m_language;
};
