#include "offline/disk_images.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "lang/texts.h"
#include "platform/hive/hive_commit.h"
#include "platform/hive/hive_registry.h"
#include "settings/platform_facts.h"

namespace offline {

namespace fs = std::filesystem;

namespace {

volatile std::sig_atomic_t g_stopRequested = 0;

void RequestStop(int) { g_stopRequested = 1; }

constexpr const char kProbe[] = "/probe";
constexpr const char kDraftSuffix[] = ".veilmark-new";

std::string MountOf(std::size_t disk) { return "/vm" + std::to_string(disk); }

// Whether a path given by the installation stays below its root: no part
// of it climbs out ("..").
bool StaysBelow(const std::string& relative)
{
    for (const fs::path& part : fs::path(relative))
        if (part == "..")
            return false;
    return true;
}

bool SameBytes(const std::string& a, const std::string& b)
{
    std::ifstream first(a, std::ios::binary);
    std::ifstream second(b, std::ios::binary);
    return first && second &&
           std::equal(std::istreambuf_iterator<char>(first), {}, std::istreambuf_iterator<char>(second), {});
}

// Whether another program holds a lock on the image: qemu locks the images
// of a running virtual machine (and of a libguestfs appliance) with open
// file description locks on a few of their bytes.
bool InUse(const std::string& path)
{
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    const bool held = fcntl(fd, F_OFD_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
    close(fd);
    return held;
}

}  // namespace

// The installation's files in an image, read into a mirror folder of this
// machine as they are asked for and put back whole. A path of the mirror
// is the path inside the filesystem below the mirror's root.
class ImagePlace final : public IInstallationPlace {
public:
    ImagePlace(GuestAppliance& guest, std::string mount, std::string mirror, Language language)
        : m_guest(guest), m_mount(std::move(mount)), m_mirror(std::move(mirror)), m_language(language)
    {
    }

    const std::string& Mirror() const { return m_mirror; }
    bool Changed() const { return m_changed; }

    void Fetch(const std::string& path) override
    {
        const std::optional<std::string> inside = InImage(path);
        if (inside && m_guest.IsFile(*inside))
            Download(*inside);
    }

    void FetchFolder(const std::string& path) override
    {
        const std::optional<std::string> inside = InImage(path);
        if (!inside || !m_guest.IsFolder(*inside))
            return;
        for (const std::string& name : m_guest.Entries(*inside))
            if (m_guest.IsFile(*inside + "/" + name))
                Download(*inside + "/" + name);
    }

    std::string Shown(const std::string& path) const override
    {
        return path.starts_with(m_mirror) ? path.substr(m_mirror.size()) : path;
    }

    bool Commit(const std::vector<HiveFile*>& hives, const std::vector<std::string>& backups, std::uint64_t fileTime,
                std::string& error, const CommitStep& beforeStep) override
    {
        // Backups first: each in place whole before any hive changes.
        for (const std::string& backup : backups)
            if (!Place(backup, backup, error))
                return false;
        if (!backups.empty() && !m_guest.Sync())
            return Failed(m_guest.Error(), error);
        if (!backups.empty())
            m_changed = true;

        std::vector<HiveDraft> drafts;
        if (!WriteHiveDrafts(hives, fileTime, drafts, error, beforeStep))
            return false;
        std::vector<std::string> placed;  // the drafts inside the image
        const bool ready = PutDrafts(drafts, placed, error);
        for (const HiveDraft& draft : drafts)
            unlink(draft.path.c_str());
        if (!ready || DiskImages::StopRequested()) {
            for (const std::string& draft : placed)
                m_guest.Remove(draft);
            if (ready)
                error = Text(TextId::StoppedBySignal, m_language);
            return false;
        }
        for (std::size_t i = 0; i < drafts.size(); ++i) {
            if (beforeStep)
                beforeStep("replace hive");
            const std::string hive = placed[i].substr(0, placed[i].size() - std::strlen(kDraftSuffix));
            if (!m_guest.Rename(placed[i], hive)) {
                for (std::size_t j = i; j < placed.size(); ++j)
                    m_guest.Remove(placed[j]);
                return Failed(m_guest.Error(), error);
            }
            m_changed = true;
        }
        return m_guest.Sync() || Failed(m_guest.Error(), error);
    }

private:
    static bool Failed(const std::string& words, std::string& error)
    {
        error = words;
        return false;
    }

    // The path inside the image of a path of the mirror, each existing part
    // as the filesystem spells it; none when it climbs out of the mirror.
    std::optional<std::string> InImage(const std::string& path)
    {
        if (!path.starts_with(m_mirror) || !StaysBelow(path.substr(m_mirror.size())))
            return std::nullopt;
        return m_guest.CasedPath(m_mount + path.substr(m_mirror.size()));
    }

    // Copies the file at `inside` to the mirror, at the same path.
    void Download(const std::string& inside)
    {
        const std::string local = m_mirror + inside.substr(m_mount.size());
        std::error_code ignored;
        fs::create_directories(fs::path(local).parent_path(), ignored);
        m_guest.Download(inside, local);
    }

    // Uploads the local file `from` as the draft of the mirror path `to`,
    // then renames the draft over it.
    bool Place(const std::string& from, const std::string& to, std::string& error)
    {
        std::string draft;
        if (!Upload(from, to, draft, error))
            return false;
        const std::string target = draft.substr(0, draft.size() - std::strlen(kDraftSuffix));
        return m_guest.Rename(draft, target) || Failed(m_guest.Error(), error);
    }

    // Uploads `from` beside the file of the mirror path `to`, as its draft,
    // making the folders it needs.
    bool Upload(const std::string& from, const std::string& to, std::string& draft, std::string& error)
    {
        const std::optional<std::string> inside = InImage(to);
        if (!inside)
            return Failed(Shown(to) + ": " + m_guest.Error(), error);
        const std::string folder = inside->substr(0, inside->rfind('/'));
        if (!folder.empty() && !m_guest.IsFolder(folder) && !m_guest.MakeFolders(folder))
            return Failed(m_guest.Error(), error);
        draft = *inside + kDraftSuffix;
        return m_guest.Upload(from, draft) || Failed(m_guest.Error(), error);
    }

    // Each hive's draft uploaded beside the hive in the image, the disk
    // synced, then each read back and compared and walked.
    bool PutDrafts(const std::vector<HiveDraft>& drafts, std::vector<std::string>& placed, std::string& error)
    {
        for (const HiveDraft& draft : drafts) {
            std::string inside;
            const bool uploaded = Upload(draft.path, draft.hive->Path(), inside, error);
            if (!inside.empty())
                placed.push_back(inside);
            if (!uploaded)
                return false;
        }
        if (!m_guest.Sync())
            return Failed(m_guest.Error(), error);
        for (std::size_t i = 0; i < drafts.size(); ++i) {
            const std::string back = drafts[i].path + ".back";
            const bool same = m_guest.Download(placed[i], back) && SameBytes(back, drafts[i].path) &&
                              HiveWalks(back, error);
            if (!same && error.empty())
                error = m_guest.Error().empty() ? placed[i] + ": read back other than written" : m_guest.Error();
            unlink(back.c_str());
            if (!same)
                return false;
        }
        return true;
    }

    GuestAppliance& m_guest;
    std::string m_mount;
    std::string m_mirror;
    Language m_language;
    bool m_changed = false;
};

DiskImages::DiskImages(std::vector<std::string> paths, bool writes, std::vector<std::string> partitions,
                       Language language, Progress progress)
    : m_writes(writes), m_partitions(std::move(partitions)), m_language(language), m_progress(std::move(progress))
{
    for (std::string& path : paths) {
        m_images.emplace_back();
        m_images.back().path = std::move(path);
    }
    for (std::string& partition : m_partitions)
        if (!partition.starts_with("/dev/"))
            partition = "/dev/" + partition;
}

DiskImages::~DiskImages()
{
    std::string ignored;
    if (m_launched)
        Finish(ignored);
    m_images.clear();
    if (!m_mirrors.empty()) {
        std::error_code error;
        fs::remove_all(m_mirrors, error);
    }
    signal(SIGINT, SIG_DFL);
    signal(SIGTERM, SIG_DFL);
}

bool DiskImages::StopRequested() { return g_stopRequested != 0; }

std::string DiskImages::Refusal(const std::string& path) const
{
    if (access(path.c_str(), R_OK) != 0 || fs::is_directory(path))
        return Text(TextId::ImageUnreadable, m_language, {path, std::strerror(errno ? errno : EISDIR)});
    if (m_writes && access(path.c_str(), W_OK) != 0)
        return Text(TextId::ImageNotWritable, m_language, {path, std::strerror(errno)});
    if (InUse(path))
        return Text(TextId::ImageInUse, m_language, {path});
    return {};
}

bool DiskImages::Start(std::vector<std::string>& refusals, std::string& error)
{
    // A signal from here on lets the run end in order: the appliance shut
    // down, each hive old or new.
    struct sigaction action {};
    action.sa_handler = RequestStop;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);

    if (!m_guest.Usable()) {
        error = Text(TextId::ApplianceFailed, m_language, {m_guest.Error()});
        return false;
    }
    std::size_t disks = 0;
    for (Image& image : m_images) {
        errno = 0;
        if (std::string refusal = Refusal(image.path); !refusal.empty()) {
            refusals.push_back(std::move(refusal));
            continue;
        }
        if (!m_guest.AddImage(image.path, !m_writes)) {
            refusals.push_back(Text(TextId::ImageUnreadable, m_language, {image.path, m_guest.Error()}));
            continue;
        }
        image.usable = true;
        image.disk = disks++;
    }
    if (disks == 0)
        return true;
    if (m_progress)
        m_progress(Text(TextId::ProgressLaunch, m_language));
    if (!m_guest.Launch() || !m_guest.MakeMountPoint(kProbe)) {
        error = Text(TextId::ApplianceFailed, m_language, {m_guest.Error()});
        return false;
    }
    m_launched = true;
    for (std::size_t disk = 0; disk < disks; ++disk)
        m_guest.MakeMountPoint(MountOf(disk));
    const char* temporary = std::getenv("TMPDIR");
    std::string folder = std::string(temporary && *temporary ? temporary : "/tmp") + "/veilmark-offline.XXXXXX";
    if (!mkdtemp(folder.data())) {
        error = Text(TextId::ApplianceFailed, m_language, {folder + ": " + std::strerror(errno)});
        return false;
    }
    m_mirrors = folder;
    return true;
}

std::vector<DiskImages::Candidate> DiskImages::FindWindows(const std::string& device)
{
    std::vector<Candidate> found;
    for (const GuestFilesystem& filesystem : m_guest.FilesystemsOn(device)) {
        if (filesystem.type == "swap" || filesystem.type == "unknown" ||
            !m_guest.Mount(filesystem.device, kProbe, true))
            continue;
        for (const std::string& entry : m_guest.Entries(kProbe)) {
            const std::string folder = std::string(kProbe) + "/" + entry;
            const std::optional<std::string> software = m_guest.CasedPath(folder + "/system32/config/software");
            if (m_guest.IsFolder(folder) && software && m_guest.IsFile(*software))
                found.push_back({filesystem.device, entry});
        }
        m_guest.Unmount(kProbe);
    }
    return found;
}

// Whether the SOFTWARE hive of the candidate names Windows XP, read from a
// copy in the mirrors' folder.
bool DiskImages::IsXp(const std::string& mount, const Candidate& candidate)
{
    const std::optional<std::string> software =
        m_guest.CasedPath(mount + "/" + candidate.windows + "/system32/config/software");
    const std::string copy = m_mirrors + "/software.probe";
    bool xp = false;
    if (software && m_guest.Download(*software, copy)) {
        HiveProblem problem = HiveProblem::None;
        std::string reason;
        if (const std::unique_ptr<HiveFile> hive = HiveFile::Open(copy, problem, reason)) {
            HiveMounts mounts;
            mounts.software = hive.get();
            HiveRegistry registry(mounts);
            const std::optional<std::string> product = ProductName(registry, kKeyRead);
            xp = product && NamesWindowsXp(*product);
        }
    }
    unlink(copy.c_str());
    return xp;
}

IInstallationPlace* DiskImages::Open(std::size_t index, std::string& mirrorRoot, std::string& error)
{
    Image& image = m_images[index];
    if (!image.usable || !m_launched)
        return nullptr;
    if (m_progress)
        m_progress(Text(TextId::ProgressFinding, m_language, {image.path}));
    const std::optional<std::string> device = m_guest.DeviceOf(image.disk);
    std::vector<Candidate> candidates = device ? FindWindows(*device) : std::vector<Candidate>();
    // The partitions named on this image's disk, if any, choose among its
    // installations.
    std::vector<std::string> named;
    for (const std::string& partition : m_partitions)
        if (device && partition.starts_with(*device) &&
            partition.find_first_not_of("0123456789", device->size()) == std::string::npos)
            named.push_back(partition);
    if (!named.empty())
        std::erase_if(candidates, [&](const Candidate& candidate) {
            return std::find(named.begin(), named.end(), candidate.device) == named.end();
        });
    if (candidates.size() > 1) {
        std::erase_if(candidates, [&](const Candidate& candidate) {
            if (!m_guest.Mount(candidate.device, kProbe, true))
                return true;
            const bool xp = IsXp(kProbe, candidate);
            m_guest.Unmount(kProbe);
            return !xp;
        });
    }
    if (candidates.empty()) {
        error = Text(TextId::NoWindowsInImage, m_language, {image.path});
        return nullptr;
    }
    if (candidates.size() > 1) {
        std::string list;
        for (const Candidate& candidate : candidates)
            list += (list.empty() ? "" : ", ") + candidate.device + " (" + candidate.windows + ")";
        error = Text(TextId::SeveralWindowsInImage, m_language, {image.path, list});
        return nullptr;
    }

    const Candidate& chosen = candidates.front();
    const std::string mount = MountOf(image.disk);
    if (!m_guest.Mount(chosen.device, mount, !m_writes)) {
        if (m_writes && m_guest.Mount(chosen.device, mount, true)) {
            m_guest.Unmount(mount);
            error = Text(TextId::FilesystemReadOnly, m_language, {image.path, chosen.device});
        } else {
            error = Text(TextId::ImageUnreadable, m_language, {image.path, m_guest.Error()});
        }
        return nullptr;
    }
    // ntfs-3g mounts a volume that Windows did not close cleanly read-only.
    if (m_writes && !m_guest.Writable(mount)) {
        m_guest.Unmount(mount);
        error = Text(TextId::FilesystemReadOnly, m_language, {image.path, chosen.device});
        return nullptr;
    }
    if (m_progress)
        m_progress(Text(TextId::ProgressReading, m_language, {image.path}));
    mirrorRoot = m_mirrors + "/" + std::to_string(index);
    fs::create_directory(mirrorRoot);
    image.place = std::make_unique<ImagePlace>(m_guest, mount, mirrorRoot, m_language);
    const std::string config = mirrorRoot + "/" + chosen.windows + "/system32/config/";
    image.place->Fetch(config + "software");
    image.place->Fetch(config + "system");
    // What the hibernation check reads of hiberfil.sys: its first bytes.
    if (const std::optional<std::string> hiberfil = m_guest.CasedPath(mount + "/hiberfil.sys");
        hiberfil && m_guest.IsFile(*hiberfil))
        if (const std::optional<std::string> head = m_guest.Head(*hiberfil, 4))
            std::ofstream(mirrorRoot + hiberfil->substr(mount.size()), std::ios::binary) << *head;
    return image.place.get();
}

bool DiskImages::Changed(std::size_t image) const
{
    return m_images[image].place && m_images[image].place->Changed();
}

bool DiskImages::Finish(std::string& error)
{
    if (!m_launched)
        return true;
    m_launched = false;
    if (m_progress)
        m_progress(Text(TextId::ProgressFinish, m_language));
    if (m_guest.Shutdown())
        return true;
    error = Text(TextId::ApplianceFailed, m_language, {m_guest.Error()});
    return false;
}

}  // namespace offline
