#include "offline/installation.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <fstream>

#include "lang/texts.h"
#include "platform/hive/hive_commit.h"
#include "settings/platform_facts.h"
#include "settings/text.h"

namespace offline {

namespace {

constexpr const char kProfileList[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";
constexpr const char kCurrentVersion[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
constexpr const char kProductOptions[] = "SYSTEM\\CurrentControlSet\\Control\\ProductOptions";
// Paths and lists are longer than the passes' 128 characters.
constexpr std::uint32_t kLongText = 4096;

bool IsFile(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::vector<std::string> FolderEntries(const std::string& folder)
{
    std::vector<std::string> names;
    if (DIR* entries = opendir(folder.c_str())) {
        while (const dirent* entry = readdir(entries))
            if (entry->d_name[0] != '.')
                names.emplace_back(entry->d_name);
        closedir(entries);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::optional<RegistryValue> ReadValue(IRegistry& registry, RegistryRoot root, std::string_view path,
                                       std::string_view name)
{
    const ScopedRegKey key(registry, root, path, kKeyRead);
    RegistryValue value;
    if (!key || !registry.QueryValue(key.Get(), name, kLongText, value))
        return std::nullopt;
    return value;
}

std::string ReadText(IRegistry& registry, std::string_view path, std::string_view name)
{
    const std::optional<RegistryValue> value = ReadValue(registry, RegistryRoot::LocalMachine, path, name);
    return value && IsTextType(value->type) ? std::string(BytesAsText(value->data)) : std::string();
}

// Whether the hibernation file holds a hibernated system: it begins with
// "hibr" until Windows resumes from it.
bool HoldsHibernatedSystem(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    char signature[4] = {};
    return file.read(signature, 4) && EqualsIgnoringCase(std::string_view(signature, 4), "hibr");
}

std::string ProblemText(HiveProblem problem, const std::string& path, const std::string& reason, Language language)
{
    switch (problem) {
    case HiveProblem::NotClosedCleanly:
        return Text(TextId::HiveNotClosedCleanly, language, {path});
    case HiveProblem::NotAHive:
        return Text(TextId::NotAHive, language, {path});
    case HiveProblem::Damaged:
        return Text(TextId::HiveDamaged, language, {path});
    case HiveProblem::Unreadable:
    case HiveProblem::None:
        break;
    }
    return Text(TextId::HiveUnreadable, language, {path, reason});
}

}  // namespace

void OfflineVersionInfo::Read(IRegistry& machine)
{
    const std::optional<RegistryValue> type =
        ReadValue(machine, RegistryRoot::LocalMachine, kProductOptions, "ProductType");
    if (!type || !IsTextType(type->type))
        return;
    OsVersion version;
    const std::string number = ReadText(machine, kCurrentVersion, "CurrentVersion");
    version.major = static_cast<std::uint32_t>(std::atoi(number.c_str()));
    if (const std::size_t dot = number.find('.'); dot != std::string::npos)
        version.minor = static_cast<std::uint32_t>(std::atoi(number.c_str() + dot + 1));
    version.build = static_cast<std::uint32_t>(std::atoi(ReadText(machine, kCurrentVersion, "CurrentBuildNumber").c_str()));
    const bool workstation = EqualsIgnoringCase(BytesAsText(type->data), "WinNT");
    version.productType = workstation ? 1 : 3;
    // The suite is a list of texts, each ended by a zero.
    bool personal = false;
    if (const std::optional<RegistryValue> suite =
            ReadValue(machine, RegistryRoot::LocalMachine, kProductOptions, "ProductSuite")) {
        const std::string_view list(reinterpret_cast<const char*>(suite->data.data()), suite->data.size());
        for (std::size_t at = 0; at < list.size();) {
            const std::size_t end = std::min(list.find('\0', at), list.size());
            personal |= EqualsIgnoringCase(list.substr(at, end - at), "Personal");
            at = end + 1;
        }
    }
    if (workstation)
        version.suiteMask = kSuiteSingleUserTerminalServices | (personal ? kSuitePersonal : 0);
    m_version = version;
}

bool OfflineVersionInfo::Query(OsVersion& version) const
{
    if (m_version)
        version = *m_version;
    return m_version.has_value();
}

bool FolderPlace::Commit(const std::vector<HiveFile*>& hives, const std::vector<std::string>&, std::uint64_t fileTime,
                         std::string& error, const CommitStep& beforeStep)
{
    // The backups were written where they stay.
    return CommitHives(hives, fileTime, error, beforeStep);
}

Installation::Installation(std::string root, std::string windows, IInstallationPlace& place)
    : m_root(std::move(root)), m_windows(std::move(windows)), m_files(m_root), m_place(place)
{
}

HiveProblem Installation::OpenHive(const std::string& path, Language language, std::unique_ptr<HiveFile>& hive,
                                   std::string& error)
{
    HiveProblem problem = HiveProblem::None;
    std::string reason;
    hive = HiveFile::Open(path, problem, reason);
    if (!hive)
        error = ProblemText(problem, m_place.Shown(path), reason, language);
    return problem;
}

bool Installation::FindControlSet(Language language, std::string& error)
{
    HiveMounts select;
    select.system = m_system.get();
    HiveRegistry system(select);
    const std::optional<RegistryValue> current =
        ReadValue(system, RegistryRoot::LocalMachine, "SYSTEM\\Select", "Current");
    if (current && current->type == kRegDword && current->data.size() == 4) {
        std::string number = std::to_string(AsNumber(current->data));
        m_controlSet = "ControlSet" + std::string(number.size() < 3 ? 3 - number.size() : 0, '0') + number;
        RegKey key = nullptr;
        if (system.OpenKey(RegistryRoot::LocalMachine, "SYSTEM\\" + m_controlSet, kKeyRead, key) ==
            OpenResult::Opened) {
            system.CloseKey(key);
            return true;
        }
    }
    error = Text(TextId::NoControlSet, language);
    return false;
}

void Installation::FindProfiles(Language language, std::vector<std::string>& warnings)
{
    const auto local = [this](const std::string& path) { return LocalPath(path); };
    std::vector<std::string> folders;
    RegKey list = nullptr;
    if (m_machine->OpenKey(RegistryRoot::LocalMachine, kProfileList, kKeyRead, list) == OpenResult::Opened) {
        // The users' profiles, not those of the service accounts.
        for (const std::string& sid : m_machine->SubkeyNames(list))
            if (StartsWithIgnoringCase(sid, "S-1-5-21-"))
                if (std::string path = ReadText(*m_machine, std::string(kProfileList) + "\\" + sid, "ProfileImagePath");
                    !path.empty())
                    folders.push_back(local(path));
        m_machine->CloseKey(list);
        const std::string profiles = ReadText(*m_machine, kProfileList, "ProfilesDirectory");
        const std::string defaultUser = ReadText(*m_machine, kProfileList, "DefaultUserProfile");
        if (!profiles.empty() && !defaultUser.empty())
            folders.push_back(local(profiles + "\\" + defaultUser));
    }
    for (const std::string& folder : folders) {
        Profile profile;
        profile.folder = folder;
        profile.name = folder.substr(folder.rfind('/') + 1);
        m_place.Fetch(m_files.Resolve(folder + "/NTUSER.DAT"));
        if (!IsFile(m_files.Resolve(folder + "/NTUSER.DAT"))) {
            warnings.push_back(Text(TextId::ProfileWithoutHive, language, {profile.name}));
            continue;
        }
        m_profiles.push_back(std::move(profile));
    }
}

std::unique_ptr<Installation> Installation::Open(const std::string& root, const std::vector<std::string>& users,
                                                 Language language, IInstallationPlace& place, std::string& error,
                                                 std::vector<std::string>& warnings)
{
    PosixFiles files(root);
    const std::string base = files.Resolve(root);
    std::string windows;
    for (const std::string& entry : FolderEntries(base)) {
        if (IsFile(files.Resolve(base + "/" + entry + "/system32/config/software"))) {
            windows = base + "/" + entry;
            break;
        }
    }
    if (windows.empty()) {
        error = Text(TextId::NoWindowsFolder, language, {place.Shown(root)});
        return nullptr;
    }
    std::unique_ptr<Installation> installation(new Installation(base, windows, place));
    Installation& it = *installation;
    if (const std::string hiberfil = it.m_files.Resolve(base + "/hiberfil.sys"); HoldsHibernatedSystem(hiberfil)) {
        error = Text(TextId::Hibernated, language, {place.Shown(hiberfil)});
        return nullptr;
    }
    const std::string config = windows + "/system32/config/";
    if (it.OpenHive(it.m_files.Resolve(config + "software"), language, it.m_software, error) != HiveProblem::None ||
        it.OpenHive(it.m_files.Resolve(config + "system"), language, it.m_system, error) != HiveProblem::None ||
        !it.FindControlSet(language, error))
        return nullptr;
    it.m_machine = std::make_unique<HiveRegistry>(HiveMounts{it.m_software.get(), it.m_system.get(), it.m_controlSet});
    const std::optional<std::string> product = ProductName(*it.m_machine, kKeyRead);
    if (!product || !NamesWindowsXp(*product)) {
        error = Text(TextId::NotXpInstallation, language,
                     {product && !product->empty() ? *product : Text(TextId::UnnamedSystem, language)});
        return nullptr;
    }
    it.m_version.Read(*it.m_machine);

    it.FindProfiles(language, warnings);
    if (!users.empty()) {
        std::vector<Profile> chosen;
        for (const std::string& user : users) {
            const auto found = std::find_if(it.m_profiles.begin(), it.m_profiles.end(),
                                            [&](const Profile& profile) { return SameFileName(profile.name, user); });
            if (found == it.m_profiles.end()) {
                error = Text(TextId::UnknownProfile, language, {user});
                return nullptr;
            }
            chosen.push_back(std::move(*found));
            it.m_profiles.erase(found);
        }
        it.m_profiles = std::move(chosen);
    }
    if (it.m_profiles.empty()) {
        error = Text(TextId::NoProfiles, language);
        return nullptr;
    }
    // A profile whose hive cannot be used stops the run, but for one whose
    // hive is damaged: that profile is left alone and the others go on.
    std::vector<Profile> opened;
    for (Profile& profile : it.m_profiles) {
        const std::string classesPath = profile.folder + "/Local Settings/Application Data/Microsoft/Windows/UsrClass.dat";
        place.Fetch(it.m_files.Resolve(classesPath));
        const std::string classes = it.m_files.Resolve(classesPath);
        std::string problem;
        HiveProblem found = it.OpenHive(it.m_files.Resolve(profile.folder + "/NTUSER.DAT"), language, profile.user, problem);
        if (found == HiveProblem::None && IsFile(classes))
            found = it.OpenHive(classes, language, profile.userClasses, problem);
        if (found == HiveProblem::Damaged) {
            warnings.push_back(Text(TextId::ProfileLeftOut, language, {profile.name, problem}));
            continue;
        }
        if (found != HiveProblem::None) {
            error = problem;
            return nullptr;
        }
        opened.push_back(std::move(profile));
    }
    it.m_profiles = std::move(opened);
    if (it.m_profiles.empty()) {
        error = Text(TextId::NoProfiles, language);
        return nullptr;
    }
    return installation;
}

std::unique_ptr<HiveRegistry> Installation::RegistryOf(Profile& profile)
{
    return std::make_unique<HiveRegistry>(
        HiveMounts{m_software.get(), m_system.get(), m_controlSet, profile.user.get(), profile.userClasses.get()});
}

std::vector<HiveFile*> Installation::Hives()
{
    std::vector<HiveFile*> hives{m_software.get(), m_system.get()};
    for (Profile& profile : m_profiles) {
        hives.push_back(profile.user.get());
        if (profile.userClasses)
            hives.push_back(profile.userClasses.get());
    }
    return hives;
}

std::string Installation::LocalPath(std::string path, const std::string& profileFolder)
{
    const std::pair<std::string_view, const std::string*> variables[] = {
        {"%SystemDrive%", &m_root}, {"%SystemRoot%", &m_windows}, {"%windir%", &m_windows},
        {"%USERPROFILE%", &profileFolder}};
    for (const auto& [variable, value] : variables)
        if (StartsWithIgnoringCase(path, variable) && !value->empty())
            path = *value + path.substr(variable.size());
    if (path.size() >= 2 && path[1] == ':')
        path = m_root + path.substr(2);
    std::replace(path.begin(), path.end(), '\\', '/');
    return m_files.Resolve(path);
}

std::string Installation::AppDataOf(Profile& profile)
{
    const std::unique_ptr<HiveRegistry> registry = RegistryOf(profile);
    constexpr std::string_view kShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";
    for (std::string_view list : {"User Shell Folders", "Shell Folders"}) {
        const std::optional<RegistryValue> value =
            ReadValue(*registry, RegistryRoot::CurrentUser, std::string(kShellFolders) + std::string(list), "AppData");
        if (value && IsTextType(value->type) && !BytesAsText(value->data).empty())
            return LocalPath(std::string(BytesAsText(value->data)), profile.folder);
    }
    return m_files.Resolve(profile.folder + "/Application Data");
}

Profile* ProfileHolding(std::vector<Profile>& profiles, PosixFiles& files, const std::string& path)
{
    const std::string resolved = files.Resolve(path);
    for (Profile& profile : profiles) {
        const std::string folder = profile.folder + "/";
        if (resolved.size() > folder.size() && SameFileName(resolved.substr(0, folder.size()), folder))
            return &profile;
    }
    return nullptr;
}

}  // namespace offline
