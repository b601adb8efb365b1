// Windows XP system drives made by the tests themselves, in a temporary
// folder: the Windows folder with its machine hives, profiles with their
// NTUSER.DAT (the first with a UsrClass.dat too) and Default User, and the
// ProfileList that names them. hivex cannot make a hive, so each starts as
// an empty hive written here and is filled through the hive registry.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/memory/memory_registry.h"
#include "platform/registry.h"

// Writes a hive with nothing in it but its root key.
void WriteEmptyHive(const std::string& path);

// A folder removed with everything in it when the object goes.
class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

class XpDrive {
public:
    // What a profile's user sees: HKLM, its HKCU, its HKCR. Called once per
    // profile; writes to HKLM the same each time.
    using Seed = std::function<void(IRegistry& registry, const std::string& profile)>;

    // A drive with these users' profiles and Default User, seeded by `seed`
    // after the keys that make it an XP Professional installation.
    XpDrive(const std::vector<std::string>& users, const Seed& seed);

    const std::string& Root() const { return m_folder.Path(); }
    std::string Windows() const { return Root() + "/WINDOWS"; }
    std::string Software() const { return Windows() + "/system32/config/software"; }
    std::string System() const { return Windows() + "/system32/config/system"; }
    std::string ProfileFolder(const std::string& name) const { return Root() + "/Documents and Settings/" + name; }
    std::string UserHive(const std::string& name) const { return ProfileFolder(name) + "/NTUSER.DAT"; }
    std::string ClassesHive(const std::string& name) const
    {
        return ProfileFolder(name) + "/Local Settings/Application Data/Microsoft/Windows/UsrClass.dat";
    }
    // Every profile: the users', then Default User.
    const std::vector<std::string>& Profiles() const { return m_profiles; }
    // Every hive file of the drive.
    std::vector<std::string> Hives() const;

private:
    TemporaryFolder m_folder;
    std::vector<std::string> m_profiles;
};

// The keys that make a registry a Windows XP Professional installation:
// its product name, its product options, the control set in use.
void SeedXpProfessional(IRegistry& registry);

// A Windows XP whose features are all still on, as each user sees it:
// every key of the options, the Alexa entry, Messenger installed and
// starting with Windows, Media Player's settings made.
void SeedEverythingOn(IRegistry& registry, const std::string& profile = {});

// Writes `data` as a value of type `type`, making the key when needed.
void PutValue(IRegistry& registry, RegistryRoot root, const std::string& path, const std::string& name,
              std::uint32_t type, const std::vector<std::uint8_t>& data);

// The whole file.
std::string Bytes(const std::string& path);

// A profile's registry as chntpw's reged (a reader that is not hivex)
// exports the hives of the drive below `root`, in memory: the control set
// in use as CurrentControlSet, SOFTWARE\Classes as HKCR too.
void ReadWithReged(const std::string& root, const std::string& profile, MemoryRegistry& registry);
inline void ReadWithReged(const XpDrive& drive, const std::string& profile, MemoryRegistry& registry)
{
    ReadWithReged(drive.Root(), profile, registry);
}
