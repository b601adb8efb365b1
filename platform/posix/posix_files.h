// The files of a Linux machine, where a backslash separates folders as a
// slash does, so that a path joined as Windows joins them (the backups'
// Veilmark\Backups) is a path here too. Below one folder, the root of a
// Windows installation, names are matched without regard to case, as
// Windows matches them: there such a path finds the folders the
// installation has, however they are spelt.
#pragma once

#include <string>
#include <string_view>

#include "platform/files.h"

class PosixFiles final : public IFiles {
public:
    // `caselessRoot`: the installation's root; empty for none.
    explicit PosixFiles(std::string caselessRoot = {});

    // The path as it stands on disk: below the caseless root each part that
    // exists in its stored spelling, and slashes only.
    std::string Resolve(std::string_view path) const;

    bool Read(std::string_view path, std::vector<std::uint8_t>& content, std::string& error) override;
    std::unique_ptr<IOutputFile> Create(std::string_view path, std::string& error) override;
    bool MakeFolders(std::string_view path, std::string& error) override;
    bool Exists(std::string_view path) override;
    std::vector<std::string> FileNames(std::string_view folder, std::string_view suffix) override;

private:
    std::string m_root;
};

// Whether two names are the same name to Windows: equal once folded to one
// case (ASCII, Latin-1, Greek and Cyrillic letters).
bool SameFileName(std::string_view a, std::string_view b);
