// The backup taken before a pass changes the registry: the previous state
// of everything the pass may change, as a .reg file that regedit (or the
// program's own revert) imports to bring that state back; and the folder
// where the backups are kept, one file per pass, named by its time.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "lang/languages.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "platform/system_folders.h"
#include "settings/reg_file.h"

namespace settings {

// What a pass may change: one value, or a key with all its values (the
// Alexa entry, which the pass deletes).
struct BackupTarget {
    RegistryRoot root;
    std::string_view keyPath;
    std::string_view valueName;
    bool wholeKey = false;
};

// The targets' state now: each present value with its type and data, each
// value missing from an existing key as a deletion, a whole key with every
// value it holds. A key that does not exist is left out: importing it would
// make it, and the passes never make keys. False, with the reason, when a
// key or a value is there but cannot be read: the backup could not give it
// back.
// The reason is told in `language`.
bool AddBackup(IRegistry& registry, const std::vector<BackupTarget>& targets, RegFile& file, std::string& error,
               Language language);

// %APPDATA%\Veilmark\Backups
std::string BackupFolder(const ISystemFolders& folders);

class BackupStore {
public:
    // Reasons are told in `language`.
    BackupStore(IFiles& files, const ISystemFolders& folders, const IClock& clock, Language language)
        : BackupStore(files, folders.AppDataDirectory().empty() ? std::string() : BackupFolder(folders), clock,
                      language)
    {
    }
    // The same, with the backups in `folder` (empty: there is no place for them).
    BackupStore(IFiles& files, std::string folder, const IClock& clock, Language language)
        : m_files(files), m_folder(std::move(folder)), m_clock(clock), m_language(language)
    {
    }

    // Writes the backup of `targets` before `pass` (named in its remark) as
    // a new file of the folder, named by the local time (2026-12-07_153012.reg,
    // then -2, -3... in the same second). False, with the path tried and the
    // reason, when it cannot be written. Nothing is written when there are
    // no targets.
    bool Save(IRegistry& registry, const std::vector<BackupTarget>& targets, std::string_view pass,
              std::string& path, std::string& error);
    // The backups' paths, newest first.
    std::vector<std::string> List() const;

private:
    IFiles& m_files;
    std::string m_folder;
    const IClock& m_clock;
    Language m_language;
};

}  // namespace settings
