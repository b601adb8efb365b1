// Port: the files the program reads and writes itself: the backups, and
// the profiles, reports and .reg files of the command line. Paths are
// UTF-8, as the user gave them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// A file being written: nothing is at its path until Commit puts the whole
// content there at once, replacing any file of that name. Going away
// without a Commit leaves the path as it was.
class IOutputFile {
public:
    IOutputFile() = default;
    IOutputFile(const IOutputFile&) = delete;
    IOutputFile& operator=(const IOutputFile&) = delete;
    virtual ~IOutputFile() = default;

    // False, with the reason in `error`, when the content could not be put
    // there; the path is then as it was.
    virtual bool Commit(const std::vector<std::uint8_t>& content, std::string& error) = 0;
};

class IFiles {
public:
    IFiles() = default;
    IFiles(const IFiles&) = delete;
    IFiles& operator=(const IFiles&) = delete;
    virtual ~IFiles() = default;

    // The whole file; false, with the reason in `error`, when it cannot be read.
    virtual bool Read(std::string_view path, std::vector<std::uint8_t>& content, std::string& error) = 0;
    // Starts a file at `path`: its draft is made beside it now, so that a
    // place where no file can be written is known before anything else is
    // done. Null, with the reason in `error`, when it cannot be made.
    virtual std::unique_ptr<IOutputFile> Create(std::string_view path, std::string& error) = 0;
    // Makes the folder and any missing folder above it; false, with the
    // reason, when one cannot be made (a file stands in its place, no rights).
    virtual bool MakeFolders(std::string_view path, std::string& error) = 0;
    // Whether a file or folder of that name exists.
    virtual bool Exists(std::string_view path) = 0;
    // The names (not paths) of the files in `folder` whose names end with
    // `suffix`, in no particular order.
    virtual std::vector<std::string> FileNames(std::string_view folder, std::string_view suffix) = 0;
};
