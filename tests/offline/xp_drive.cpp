#include "tests/offline/xp_drive.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>

#include "platform/hive/hive_commit.h"
#include "platform/hive/hive_registry.h"
#include "settings/catalogue.h"
#include "settings/reg_import.h"

namespace {

constexpr std::size_t kPage = 0x1000;

void Put16(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint16_t value)
{
    bytes[at] = static_cast<std::uint8_t>(value);
    bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void Put32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::vector<std::uint8_t> TextBytesOf(std::string_view text) { return TextBytes(text); }

}  // namespace

void WriteEmptyHive(const std::string& path)
{
    // The base block, then one bin holding the root key, its security
    // record and the free rest. Offsets in the bin count from its start.
    std::vector<std::uint8_t> hive(2 * kPage, 0);
    std::memcpy(hive.data(), "regf", 4);
    Put32(hive, 0x04, 1);       // the two sequence numbers, equal: closed cleanly
    Put32(hive, 0x08, 1);
    Put32(hive, 0x14, 1);       // format version 1.3, as Windows XP writes
    Put32(hive, 0x18, 3);
    Put32(hive, 0x20, 1);       // direct memory load
    Put32(hive, 0x24, 0x20);    // the root key's cell
    Put32(hive, 0x28, kPage);   // the size of the bins
    Put32(hive, 0x2C, 1);       // clustering factor
    Put32(hive, 0x1FC, HiveHeaderChecksum(hive.data()));

    const std::size_t bin = kPage;
    std::memcpy(&hive[bin], "hbin", 4);
    Put32(hive, bin + 0x08, kPage);

    constexpr std::size_t kKey = 0x20;
    constexpr std::uint32_t kKeySize = 0x58;  // the record and a name of 4, to 8 bytes
    constexpr std::size_t kSecurity = kKey + kKeySize;
    constexpr std::uint32_t kDescriptorSize = 20;  // self-relative, no owner, group or lists
    constexpr std::uint32_t kSecuritySize = 0x18 + kDescriptorSize + 4;
    constexpr std::uint32_t kNone = 0xFFFFFFFF;

    const std::size_t key = bin + kKey;
    Put32(hive, key, static_cast<std::uint32_t>(-static_cast<std::int32_t>(kKeySize)));  // used: negative
    std::memcpy(&hive[key + 4], "nk", 2);
    Put16(hive, key + 0x06, 0x2C);  // the hive's root, not to be deleted, ASCII name
    Put32(hive, key + 0x14, kNone);  // parent
    Put32(hive, key + 0x20, kNone);  // subkey lists
    Put32(hive, key + 0x24, kNone);
    Put32(hive, key + 0x2C, kNone);  // value list
    Put32(hive, key + 0x30, kSecurity);
    Put32(hive, key + 0x34, kNone);  // class name
    Put16(hive, key + 0x4C, 4);
    std::memcpy(&hive[key + 0x50], "ROOT", 4);

    const std::size_t security = bin + kSecurity;
    Put32(hive, security, static_cast<std::uint32_t>(-static_cast<std::int32_t>(kSecuritySize)));
    std::memcpy(&hive[security + 4], "sk", 2);
    Put32(hive, security + 0x08, kSecurity);  // the list of security records: itself alone
    Put32(hive, security + 0x0C, kSecurity);
    Put32(hive, security + 0x10, 1);  // used by one key
    Put32(hive, security + 0x14, kDescriptorSize);
    hive[security + 0x18] = 1;                 // revision
    Put16(hive, security + 0x1A, 0x8000);      // self-relative

    const std::size_t free = security + kSecuritySize;
    Put32(hive, free, static_cast<std::uint32_t>(2 * kPage - free));  // free: positive

    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(hive.data()),
                                                static_cast<std::streamsize>(hive.size()));
}

TemporaryFolder::TemporaryFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "veilmark-XXXXXX").string();
    m_path = mkdtemp(pattern.data()) ? pattern : std::string();
}

TemporaryFolder::~TemporaryFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

void PutValue(IRegistry& registry, RegistryRoot root, const std::string& path, const std::string& name,
              std::uint32_t type, const std::vector<std::uint8_t>& data)
{
    RegKey key = nullptr;
    ASSERT_TRUE(registry.CreateKey(root, path, kKeyAllAccess, key)) << path;
    EXPECT_TRUE(registry.SetValue(key, name, type, data.data(), static_cast<std::uint32_t>(data.size()))) << name;
    registry.CloseKey(key);
}

void SeedXpProfessional(IRegistry& registry)
{
    const RegistryRoot hklm = RegistryRoot::LocalMachine;
    const std::string version = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
    PutValue(registry, hklm, version, "ProductName", kRegSz, TextBytesOf("Microsoft Windows XP"));
    PutValue(registry, hklm, version, "CurrentVersion", kRegSz, TextBytesOf("5.1"));
    PutValue(registry, hklm, version, "CurrentBuildNumber", kRegSz, TextBytesOf("2600"));
    PutValue(registry, hklm, "SYSTEM\\Select", "Current", kRegDword, DwordBytes(1));
    const std::string options = "SYSTEM\\CurrentControlSet\\Control\\ProductOptions";
    PutValue(registry, hklm, options, "ProductType", kRegSz, TextBytesOf("WinNT"));
    PutValue(registry, hklm, options, "ProductSuite", kRegMultiSz, {0, 0});
}

void SeedEverythingOn(IRegistry& registry, const std::string& /*profile*/)
{
    constexpr RegistryRoot hkcu = RegistryRoot::CurrentUser;
    for (const CatalogueEntry& entry : Catalogue())
        if (entry.binding.keyPath)
            PutValue(registry, entry.binding.root, entry.binding.keyPath, "Seeded", kRegDword, DwordBytes(1));
    PutValue(registry, hkcu, "Software\\Microsoft\\MediaPlayer\\Preferences", "SilentAcquisition", kRegBinary, {1});
    PutValue(registry, RegistryRoot::LocalMachine,
             "SOFTWARE\\Microsoft\\Internet Explorer\\Extensions\\{c95fe080-8f5d-11d2-a20b-00aa003c157a}", "Script",
             kRegSz, TextBytesOf("res://shdoclvw.dll/related.htm"));
    PutValue(registry, hkcu, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "MSMSGS", kRegSz,
             TextBytesOf("msmsgs.exe /background"));
    PutValue(registry, RegistryRoot::ClassesRoot, "CLSID\\{B69003B3-C55E-4b48-836C-BC5946FC3B28}\\LocalServer32", "",
             kRegSz, TextBytesOf("msmsgs.exe"));
}

XpDrive::XpDrive(const std::vector<std::string>& users, const Seed& seed)
{
    m_profiles = users;
    m_profiles.push_back("Default User");
    std::filesystem::create_directories(Windows() + "/system32/config");
    WriteEmptyHive(Software());
    WriteEmptyHive(System());
    for (const std::string& profile : m_profiles) {
        std::filesystem::create_directories(ProfileFolder(profile) + "/Application Data");
        WriteEmptyHive(UserHive(profile));
    }
    std::filesystem::create_directories(std::filesystem::path(ClassesHive(users.front())).parent_path());
    WriteEmptyHive(ClassesHive(users.front()));

    std::vector<std::unique_ptr<HiveFile>> files;
    const auto open = [&](const std::string& path) {
        HiveProblem problem = HiveProblem::None;
        std::string reason;
        files.push_back(HiveFile::Open(path, problem, reason));
        EXPECT_NE(nullptr, files.back()) << path << ": " << reason;
        return files.back().get();
    };
    HiveMounts machine{open(Software()), open(System()), "ControlSet001"};
    HiveRegistry machineRegistry(machine);
    SeedXpProfessional(machineRegistry);
    const std::string list = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";
    PutValue(machineRegistry, RegistryRoot::LocalMachine, list, "ProfilesDirectory", kRegExpandSz,
             TextBytesOf("%SystemDrive%\\Documents and Settings"));
    PutValue(machineRegistry, RegistryRoot::LocalMachine, list, "DefaultUserProfile", kRegSz,
             TextBytesOf("Default User"));
    PutValue(machineRegistry, RegistryRoot::LocalMachine, list + "\\S-1-5-18", "ProfileImagePath", kRegExpandSz,
             TextBytesOf("%systemroot%\\system32\\config\\systemprofile"));
    for (std::size_t i = 0; i < users.size(); ++i)
        PutValue(machineRegistry, RegistryRoot::LocalMachine, list + "\\S-1-5-21-1004336348-1177238915-682003330-" +
                 std::to_string(1003 + i), "ProfileImagePath", kRegExpandSz,
                 TextBytesOf("%SystemDrive%\\Documents and Settings\\" + users[i]));

    for (const std::string& profile : m_profiles) {
        HiveMounts mounts = machine;
        mounts.user = open(UserHive(profile));
        mounts.userClasses = profile == users.front() ? open(ClassesHive(profile)) : nullptr;
        HiveRegistry registry(mounts);
        seed(registry, profile);
    }
    std::vector<HiveFile*> hives;
    for (const auto& file : files)
        hives.push_back(file.get());
    std::string error;
    EXPECT_TRUE(CommitHives(hives, FileTimeNow(), error)) << error;
}

std::vector<std::string> XpDrive::Hives() const
{
    std::vector<std::string> hives{Software(), System()};
    for (const std::string& profile : m_profiles)
        hives.push_back(UserHive(profile));
    hives.push_back(ClassesHive(m_profiles.front()));
    return hives;
}
std::string Bytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

void ReadWithReged(const std::string& driveRoot, const std::string& profile, MemoryRegistry& registry)
{
    const std::string windows = driveRoot + "/WINDOWS/system32/config/";
    const std::string folder = driveRoot + "/Documents and Settings/" + profile;
    struct Hive {
        std::string path;
        const char* prefix;  // where reged puts the hive's root
        RegistryRoot root;
        const char* mount;   // where the hive stands below the root
    };
    const Hive hives[] = {
        {windows + "software", "HKEY_LOCAL_MACHINE\\SOFTWARE", RegistryRoot::LocalMachine, "SOFTWARE"},
        {windows + "system", "HKEY_LOCAL_MACHINE\\SYSTEM", RegistryRoot::LocalMachine, "SYSTEM"},
        {folder + "/NTUSER.DAT", "HKEY_CURRENT_USER\\HIVE", RegistryRoot::CurrentUser, ""},
        {folder + "/Local Settings/Application Data/Microsoft/Windows/UsrClass.dat", "HKEY_CLASSES_ROOT\\HIVE",
         RegistryRoot::ClassesRoot, ""}};
    TemporaryFolder out;
    for (const Hive& hive : hives) {
        if (!std::filesystem::exists(hive.path))
            continue;
        const std::string exported = out.Path() + "/export.reg";
        const std::string command =
            "reged -x '" + hive.path + "' '" + hive.prefix + "' '\\' '" + exported + "' >/dev/null";
        EXPECT_EQ(0, std::system(command.c_str())) << command;
        const std::string text = Bytes(exported);
        const settings::ParsedRegFile file = settings::ParseRegFile({text.begin(), text.end()}, Language::English);
        EXPECT_EQ(0, file.errorLine) << hive.path << ": " << file.error;
        for (const settings::RegEntry& entry : file.entries) {
            std::string path = entry.keyPath.substr(std::min(entry.keyPath.size(), std::strlen("HIVE\\")));
            if (*hive.mount)
                path = entry.keyPath;
            if (path.starts_with("SYSTEM\\ControlSet001"))
                path.replace(0, 20, "SYSTEM\\CurrentControlSet");
            const auto put = [&](RegistryRoot root, const std::string& at) {
                registry.CreateKey(root, at);
                if (entry.kind == settings::RegEntry::Kind::SetValue)
                    registry.Put(root, at, entry.name, entry.type, entry.data);
            };
            put(hive.root, path);
            if (hive.root == RegistryRoot::LocalMachine && path.starts_with("SOFTWARE\\Classes\\"))
                put(RegistryRoot::ClassesRoot, path.substr(17));
        }
    }
}

