// Where an installation's files stand: in a folder of this machine, where
// they are read and written in place, or in a disk image, whose files the
// program reads from a private folder (a mirror) and puts back whole.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/hive/hive_file.h"

namespace offline {

using CommitStep = std::function<void(std::string_view step)>;

class IInstallationPlace {
public:
    IInstallationPlace() = default;
    IInstallationPlace(const IInstallationPlace&) = delete;
    IInstallationPlace& operator=(const IInstallationPlace&) = delete;
    virtual ~IInstallationPlace() = default;

    // Brings the file at `path`, a path of this machine below the
    // installation's root, there, if the installation has it.
    virtual void Fetch(const std::string& path) = 0;
    // Brings every file of the folder at `path` there.
    virtual void FetchFolder(const std::string& path) = 0;
    // A path of this machine below the root as the user should see it.
    virtual std::string Shown(const std::string& path) const = 0;
    // Puts the backups saved since the installation was opened, then the
    // changed hives, in place: each hive either as it was or whole as it
    // should be. False, with the reason, when no hive was changed.
    virtual bool Commit(const std::vector<HiveFile*>& hives, const std::vector<std::string>& backups,
                        std::uint64_t fileTime, std::string& error, const CommitStep& beforeStep) = 0;
};

// An installation in a folder of this machine: everything is there already.
class FolderPlace final : public IInstallationPlace {
public:
    void Fetch(const std::string&) override {}
    void FetchFolder(const std::string&) override {}
    std::string Shown(const std::string& path) const override { return path; }
    bool Commit(const std::vector<HiveFile*>& hives, const std::vector<std::string>& backups, std::uint64_t fileTime,
                std::string& error, const CommitStep& beforeStep) override;
};

}  // namespace offline
