// A Windows XP installation that is not running, found below the root of
// its system drive: its Windows folder, its machine hives, the control set
// in use, and the profiles of its users, each with the registry that user
// would see. Every hive is checked before anything is read from it.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "lang/languages.h"
#include "offline/installation_place.h"
#include "platform/hive/hive_file.h"
#include "platform/hive/hive_registry.h"
#include "platform/posix/posix_files.h"
#include "platform/system_folders.h"
#include "platform/version_info.h"

namespace offline {

// The version record as GetVersionEx would give it on the running system,
// read from the registry: the version and build of CurrentVersion, and the
// edition from ProductOptions (a suite of "Personal" is the home edition;
// every workstation of XP has single-user terminal services). Unknown when
// ProductOptions cannot be read.
class OfflineVersionInfo final : public IVersionInfo {
public:
    void Read(IRegistry& machine);
    bool Query(OsVersion& version) const override;

private:
    std::optional<OsVersion> m_version;
};

// The folders of the installation as paths of this machine, and a profile's
// Application Data (or, with a backup folder, that folder instead).
class OfflineFolders final : public ISystemFolders {
public:
    OfflineFolders(std::string root, std::string windows, std::string appData)
        : m_root(std::move(root)), m_windows(std::move(windows)), m_appData(std::move(appData))
    {
    }
    std::string WindowsDirectory() const override { return m_windows; }
    std::string SystemDirectory() const override { return m_windows + "/system32"; }
    std::string ProgramFilesDirectory() const override { return m_root + "/Program Files"; }
    std::string AppDataDirectory() const override { return m_appData; }

private:
    std::string m_root;
    std::string m_windows;
    std::string m_appData;
};

struct Profile {
    std::string name;    // the profile folder's name: "alice", "Default User"
    std::string folder;  // its path on this machine
    std::unique_ptr<HiveFile> user;         // NTUSER.DAT
    std::unique_ptr<HiveFile> userClasses;  // UsrClass.dat, where there is one
};

class Installation {
public:
    // Finds and checks the installation below `root`, whose files stand in
    // `place`, and the profiles named by `users` (all, when empty). Null,
    // with the error told in `language`, when it is not a Windows XP that
    // was shut down normally or a machine hive is damaged; `warnings` gets
    // the profiles left out (a damaged hive among them).
    static std::unique_ptr<Installation> Open(const std::string& root, const std::vector<std::string>& users,
                                              Language language, IInstallationPlace& place, std::string& error,
                                              std::vector<std::string>& warnings);

    const std::string& Root() const { return m_root; }
    const std::string& WindowsFolder() const { return m_windows; }
    PosixFiles& Files() { return m_files; }
    IInstallationPlace& Place() { return m_place; }
    // A path of this machine below the root as the user should see it.
    std::string Shown(const std::string& path) const { return m_place.Shown(m_files.Resolve(path)); }
    std::vector<Profile>& Profiles() { return m_profiles; }
    // The registry the machine-wide passes see: no HKCU.
    IRegistry& Machine() { return *m_machine; }
    const IVersionInfo& Version() const { return m_version; }
    // The registry `profile`'s user sees.
    std::unique_ptr<HiveRegistry> RegistryOf(Profile& profile);
    // Every hive, the machine's first, as CommitHives takes them.
    std::vector<HiveFile*> Hives();
    // A path as the installation writes it ("%SystemDrive%\Documents and
    // Settings\alice", "C:\WINDOWS"), as a path of this machine; the
    // profile's folder stands for %USERPROFILE%.
    std::string LocalPath(std::string path, const std::string& profileFolder = {});
    // The profile's Application Data folder, where its user's shell folders
    // say (its name is the language's: "Anwendungsdaten" on a German XP).
    std::string AppDataOf(Profile& profile);

private:
    Installation(std::string root, std::string windows, IInstallationPlace& place);

    std::string m_root;
    std::string m_windows;
    PosixFiles m_files;
    IInstallationPlace& m_place;
    std::unique_ptr<HiveFile> m_software;
    std::unique_ptr<HiveFile> m_system;
    std::string m_controlSet;
    std::unique_ptr<HiveRegistry> m_machine;
    OfflineVersionInfo m_version;
    std::vector<Profile> m_profiles;

    HiveProblem OpenHive(const std::string& path, Language language, std::unique_ptr<HiveFile>& hive,
                         std::string& error);
    bool FindControlSet(Language language, std::string& error);
    void FindProfiles(Language language, std::vector<std::string>& warnings);
};

// The profile whose folder holds `path`, when one does.
Profile* ProfileHolding(std::vector<Profile>& profiles, PosixFiles& files, const std::string& path);

}  // namespace offline
