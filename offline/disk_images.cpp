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
#include "offline/image_place.h"
#include "platform/hive/hive_registry.h"
#include "settings/platform_facts.h"

namespace offline {

namespace fs = std::filesystem;

namespace {

volatile std::sig_atomic_t g_stopRequested = 0;

void RequestStop(int) { g_stopRequested = 1; }

constexpr const char kProbe[] = "/probe";

std::string MountOf(std::size_t disk) { return "/vm" + std::to_string(disk); }

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
    // One pattern a filesystem: folders of its root that hold
    // system32/config/software in any case of its names.
    const std::string pattern = std::string(kProbe) + "/*/[sS][yY][sS][tT][eE][mM]32/[cC][oO][nN][fF][iI][gG]/"
                                                      "[sS][oO][fF][tT][wW][aA][rR][eE]";
    std::vector<Candidate> found;
    for (const GuestFilesystem& filesystem : m_guest.FilesystemsOn(device)) {
        if (filesystem.type == "swap" || !m_guest.Mount(filesystem.device, kProbe, true))
            continue;
        for (const std::string& software : m_guest.Glob(pattern)) {
            const std::size_t start = std::strlen(kProbe) + 1;
            found.push_back({filesystem.device, software.substr(start, software.find('/', start) - start)});
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
    image.place = std::make_unique<ImagePlace>(m_guest, mount, mirrorRoot, m_language, &DiskImages::StopRequested);
    const std::string config = mirrorRoot + "/" + chosen.windows + "/system32/config/";
    image.place->Fetch(config + "software");
    image.place->Fetch(config + "system");
    // What the hibernation check reads of hiberfil.sys: its first bytes.
    if (const std::optional<std::string> hiberfil = m_guest.CasedPath(mount + "/hiberfil.sys"))
        if (const std::optional<std::string> head = m_guest.Head(*hiberfil, 4))
            std::ofstream(mirrorRoot + hiberfil->substr(mount.size()), std::ios::binary) << *head;
    return image.place.get();
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
