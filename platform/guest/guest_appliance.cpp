#include "platform/guest/guest_appliance.h"

#include <guestfs.h>

#include <unistd.h>

#include <cstdlib>

namespace {

// A list that libguestfs hands over: its texts and itself are ours to free.
std::vector<std::string> Take(char** list)
{
    std::vector<std::string> items;
    if (!list)
        return items;
    for (char** at = list; *at; ++at) {
        items.emplace_back(*at);
        std::free(*at);
    }
    std::free(list);
    return items;
}

std::optional<std::string> Take(char* text)
{
    if (!text)
        return std::nullopt;
    std::string taken(text);
    std::free(text);
    return taken;
}

}  // namespace

GuestAppliance::GuestAppliance() { MakeHandle(); }

GuestAppliance::~GuestAppliance()
{
    if (m_guest)
        guestfs_close(m_guest);
}

void GuestAppliance::MakeHandle()
{
    m_guest = guestfs_create_flags(GUESTFS_CREATE_NO_ENVIRONMENT);
    if (!m_guest) {
        m_error = "libguestfs cannot make its handle";
        return;
    }
    // The appliance's backend, paths, debugging and tracing as libguestfs'
    // own tools take them (LIBGUESTFS_BACKEND=direct where there is no
    // libvirt, LIBGUESTFS_TRACE=1); its errors are told by the program.
    guestfs_parse_environment(m_guest);
    guestfs_set_error_handler(m_guest, nullptr, nullptr);
    guestfs_set_pgroup(m_guest, 1);
}

bool GuestAppliance::Check(int result)
{
    if (result == -1) {
        const char* words = guestfs_last_error(m_guest);
        m_error = words ? words : "libguestfs failed";
    }
    return result != -1;
}

bool GuestAppliance::AddImage(const std::string& path, bool readOnly)
{
    const bool added =
        Check(guestfs_add_drive_opts(m_guest, path.c_str(), GUESTFS_ADD_DRIVE_OPTS_READONLY, readOnly ? 1 : 0, -1));
    if (added)
        m_images.emplace_back(path, readOnly);
    return added;
}

bool GuestAppliance::Launch()
{
    if (Check(guestfs_launch(m_guest)))
        return true;
    // qemu tries KVM first and aborts where /dev/kvm is there but cannot
    // run it (a nested virtual machine): then once more in software, unless
    // the caller chose the backend's settings.
    if (std::getenv("LIBGUESTFS_BACKEND_SETTINGS") != nullptr)
        return false;
    guestfs_close(m_guest);
    MakeHandle();
    const std::vector<std::pair<std::string, bool>> images = std::move(m_images);
    m_images.clear();
    char forceTcg[] = "force_tcg";
    char* const settings[] = {forceTcg, nullptr};
    if (!m_guest || !Check(guestfs_set_backend_settings(m_guest, settings)))
        return false;
    for (const auto& [path, readOnly] : images)
        if (!AddImage(path, readOnly))
            return false;
    return Check(guestfs_launch(m_guest));
}

bool GuestAppliance::Shutdown() { return Check(guestfs_shutdown(m_guest)); }

std::optional<std::string> GuestAppliance::DeviceOf(std::size_t index)
{
    if (m_devices.empty())
        m_devices = Take(guestfs_list_devices(m_guest));
    if (index < m_devices.size())
        return m_devices[index];
    m_error = "no such disk";
    return std::nullopt;
}

std::vector<GuestFilesystem> GuestAppliance::FilesystemsOn(const std::string& device)
{
    // The device's partitions ("/dev/sda2" of "/dev/sda"), then the device
    // itself, each with the type blkid finds: cheaper than listing the
    // filesystems of every disk, which probes them all.
    if (m_partitions.empty())
        m_partitions = Take(guestfs_list_partitions(m_guest));
    std::vector<std::string> candidates;
    for (const std::string& partition : m_partitions)
        if (partition.starts_with(device) &&
            partition.find_first_not_of("0123456789", device.size()) == std::string::npos)
            candidates.push_back(partition);
    candidates.push_back(device);
    std::vector<GuestFilesystem> found;
    for (const std::string& candidate : candidates)
        if (const std::optional<std::string> type = Take(guestfs_vfs_type(m_guest, candidate.c_str()));
            type && !type->empty())
            found.push_back({candidate, *type});
    return found;
}

bool GuestAppliance::MakeMountPoint(const std::string& path) { return Check(guestfs_mkmountpoint(m_guest, path.c_str())); }

bool GuestAppliance::Mount(const std::string& device, const std::string& at, bool readOnly)
{
    return Check(readOnly ? guestfs_mount_ro(m_guest, device.c_str(), at.c_str())
                          : guestfs_mount(m_guest, device.c_str(), at.c_str()));
}

bool GuestAppliance::Unmount(const std::string& at) { return Check(guestfs_umount(m_guest, at.c_str())); }

std::optional<std::string> GuestAppliance::CasedPath(const std::string& path)
{
    std::optional<std::string> cased = Take(guestfs_case_sensitive_path(m_guest, path.c_str()));
    if (!cased)
        Check(-1);
    return cased;
}

std::optional<std::string> GuestAppliance::CasedPathToMake(const std::string& path)
{
    if (std::optional<std::string> cased = Take(guestfs_case_sensitive_path(m_guest, path.c_str())))
        return cased;
    // libguestfs finds no part after a missing one: the folder that holds
    // the missing part, then the rest as given.
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos || slash == 0) {
        Check(-1);
        return std::nullopt;
    }
    const std::optional<std::string> folder = CasedPathToMake(path.substr(0, slash));
    return folder ? std::optional<std::string>(*folder + path.substr(slash)) : std::nullopt;
}

std::vector<std::string> GuestAppliance::Glob(const std::string& pattern)
{
    return Take(guestfs_glob_expand(m_guest, pattern.c_str()));
}

bool GuestAppliance::IsFile(const std::string& path) { return guestfs_is_file(m_guest, path.c_str()) == 1; }

bool GuestAppliance::IsFolder(const std::string& path) { return guestfs_is_dir(m_guest, path.c_str()) == 1; }

std::vector<std::string> GuestAppliance::Entries(const std::string& folder) { return Take(guestfs_ls(m_guest, folder.c_str())); }

std::optional<std::string> GuestAppliance::Head(const std::string& path, std::size_t size)
{
    std::size_t got = 0;
    char* bytes = guestfs_pread(m_guest, path.c_str(), static_cast<int>(size), 0, &got);
    if (!bytes) {
        Check(-1);
        return std::nullopt;
    }
    std::string head(bytes, got);
    std::free(bytes);
    return head;
}

bool GuestAppliance::Download(const std::string& from, const std::string& localPath)
{
    if (Check(guestfs_download(m_guest, from.c_str(), localPath.c_str())))
        return true;
    unlink(localPath.c_str());
    return false;
}

bool GuestAppliance::Upload(const std::string& localPath, const std::string& to)
{
    return Check(guestfs_upload(m_guest, localPath.c_str(), to.c_str()));
}

bool GuestAppliance::MakeFolders(const std::string& path) { return Check(guestfs_mkdir_p(m_guest, path.c_str())); }

bool GuestAppliance::Rename(const std::string& from, const std::string& to)
{
    return Check(guestfs_mv(m_guest, from.c_str(), to.c_str()));
}

bool GuestAppliance::Remove(const std::string& path) { return Check(guestfs_rm(m_guest, path.c_str())); }

bool GuestAppliance::Sync() { return Check(guestfs_sync(m_guest)); }

bool GuestAppliance::Writable(const std::string& at)
{
    struct guestfs_statvfs* status = guestfs_statvfs(m_guest, at.c_str());
    if (!status)
        return Check(-1);
    constexpr std::int64_t kReadOnly = 1;  // ST_RDONLY
    const bool writable = (status->flag & kReadOnly) == 0;
    guestfs_free_statvfs(status);
    return writable;
}
