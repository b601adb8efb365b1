// The disk images of one run of veilmark-offline, all in one libguestfs
// appliance: each checked before the appliance starts, the Windows XP
// installation found on one of its filesystems, its files read into a
// private folder of this machine (a mirror) as the passes ask for them, and
// what the passes change put back inside the image whole.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "lang/languages.h"
#include "offline/installation_place.h"
#include "platform/guest/guest_appliance.h"

namespace offline {

// A line for the user while the appliance works: it may take a minute.
using Progress = std::function<void(const std::string& line)>;

class ImagePlace;

class DiskImages {
public:
    // `writes`: the run changes the images (the appliance opens them for
    // writing); `partitions`: the devices --partition names.
    DiskImages(std::vector<std::string> paths, bool writes, std::vector<std::string> partitions, Language language,
               Progress progress);
    ~DiskImages();
    DiskImages(const DiskImages&) = delete;
    DiskImages& operator=(const DiskImages&) = delete;

    std::size_t Count() const { return m_images.size(); }
    const std::string& PathOf(std::size_t image) const { return m_images[image].path; }

    // Checks every image (there, and for a changing run writable and not
    // in use), then starts the appliance with those that pass. `refusals`
    // gets one message per image left out. False, with the error, when the
    // appliance cannot start.
    bool Start(std::vector<std::string>& refusals, std::string& error);
    // Finds the installation in the image, mounts it and mirrors its
    // machine files. Null, with the error, when the image was left out, has
    // no Windows XP or more than one without --partition, or cannot be
    // written.
    IInstallationPlace* Open(std::size_t image, std::string& mirrorRoot, std::string& error);
    // Stops the appliance, every disk synced. False, with the error, when
    // it did not end cleanly.
    bool Finish(std::string& error);

    // Whether SIGINT or SIGTERM came: no image is changed after it.
    static bool StopRequested();

private:
    struct Image {
        std::string path;
        bool usable = false;  // passed the checks and is a disk of the appliance
        std::size_t disk = 0;
        std::unique_ptr<ImagePlace> place;
    };
    struct Candidate {
        std::string device;
        std::string windows;  // the Windows folder's name as the filesystem spells it
    };

    std::string Refusal(const std::string& path) const;
    std::vector<Candidate> FindWindows(const std::string& device);
    bool IsXp(const std::string& mount, const Candidate& candidate);

    std::vector<Image> m_images;
    bool m_writes;
    std::vector<std::string> m_partitions;
    Language m_language;
    Progress m_progress;
    GuestAppliance m_guest;
    std::string m_mirrors;  // the private folder that holds every image's mirror
    bool m_launched = false;
};

}  // namespace offline
