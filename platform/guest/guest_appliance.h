// Disk images of virtual machines through libguestfs: one small appliance,
// run under qemu, that holds every image of a run as a disk of its own and
// reads and writes their filesystems without a mount on this machine and
// without root. Paths inside the appliance are absolute, with slashes;
// each call returns false (or nothing) with libguestfs' words for the
// failure in Error().
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct guestfs_h;

struct GuestFilesystem {
    std::string device;  // "/dev/sda1", as the appliance names it
    std::string type;    // "ntfs", "vfat", ...
};

class GuestAppliance {
public:
    GuestAppliance();
    ~GuestAppliance();
    GuestAppliance(const GuestAppliance&) = delete;
    GuestAppliance& operator=(const GuestAppliance&) = delete;

    // False when libguestfs could not even make its handle.
    bool Usable() const { return m_guest != nullptr; }
    const std::string& Error() const { return m_error; }

    // Adds the image as the next disk, before Launch; its format is what
    // qemu finds it to be.
    bool AddImage(const std::string& path, bool readOnly);
    // Starts the appliance with every image added; where qemu cannot start
    // it with KVM, in software. qemu runs in a process group of its own, so
    // that a Ctrl+C at the terminal reaches this program alone, which then
    // shuts the appliance down in order.
    bool Launch();
    // Syncs every disk and stops the appliance; false if qemu did not end
    // cleanly.
    bool Shutdown();

    // The appliance's device of the image added `index`-th ("/dev/sdb").
    std::optional<std::string> DeviceOf(std::size_t index);
    // The filesystems on `device`: its partitions' and its own.
    std::vector<GuestFilesystem> FilesystemsOn(const std::string& device);

    bool MakeMountPoint(const std::string& path);
    bool Mount(const std::string& device, const std::string& at, bool readOnly);
    bool Unmount(const std::string& at);

    // The path of a file or folder that is there as it is spelt on the
    // filesystem, each part found without regard to case; none when it is
    // not there.
    std::optional<std::string> CasedPath(const std::string& path);
    // The same for a path to be made: the parts that are missing as given.
    std::optional<std::string> CasedPathToMake(const std::string& path);
    // The paths that match a shell pattern ("[sS]ystem32"), as spelt.
    std::vector<std::string> Glob(const std::string& pattern);
    bool IsFile(const std::string& path);
    bool IsFolder(const std::string& path);
    std::vector<std::string> Entries(const std::string& folder);
    // Up to `size` bytes from the start of the file.
    std::optional<std::string> Head(const std::string& path, std::size_t size);

    // False, and no file at `localPath`, when `from` is no file to copy.
    bool Download(const std::string& from, const std::string& localPath);
    bool Upload(const std::string& localPath, const std::string& to);
    bool MakeFolders(const std::string& path);
    bool Rename(const std::string& from, const std::string& to);
    bool Remove(const std::string& path);
    bool Sync();
    // Whether the filesystem mounted at `at` takes writes (ntfs-3g mounts
    // a volume that Windows did not close cleanly read-only).
    bool Writable(const std::string& at);

private:
    void MakeHandle();
    bool Check(int result);

    guestfs_h* m_guest = nullptr;
    std::string m_error;
    std::vector<std::pair<std::string, bool>> m_images;  // each added image, and whether read-only
    std::vector<std::string> m_devices;     // once the appliance runs
    std::vector<std::string> m_partitions;  // of every disk
};
