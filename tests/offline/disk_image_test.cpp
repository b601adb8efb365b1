// veilmark-offline on disk images that the test makes itself: an NTFS
// image holding a test drive (by guestfish), converted by qemu-img to qcow2
// and vdi, and an NTFS image without Windows. Each launch of libguestfs'
// appliance costs seconds, so one test walks the whole way: status, one
// apply over four images, the backups listed and one taken back from
// inside the image, the result read back by guestfish. Where libguestfs
// cannot make the images, it reports itself skipped.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "run/exit_codes.h"
#include "tests/offline/run_offline.h"
#include "tests/offline/test_images.h"

namespace {

namespace fs = std::filesystem;

// The test drive in an NTFS partition of a raw image, the same as qcow2
// and vdi, a copy of the raw one, and an NTFS image without Windows.
struct Images {
    std::string raw, qcow2, vdi, noWindows, inUse;
};

bool MakeImages(const XpDrive& drive, const std::string& folder, Images& images, std::string& why)
{
    images = {folder + "/xp.img", folder + "/xp.qcow2", folder + "/xp.vdi", folder + "/data.img",
              folder + "/in-use.img"};
    if (!MakeXpImage(drive, images.raw, images.noWindows, folder, why) ||
        !ConvertImage(images.raw, "qcow2", images.qcow2, why) || !ConvertImage(images.raw, "vdi", images.vdi, why))
        return false;
    fs::copy_file(images.raw, images.inUse);
    return true;
}

// The folder run's report as the image run shows it: paths inside the
// installation rather than below the drive's root.
std::string AsInImage(std::string report, const std::string& root)
{
    for (std::size_t at; (at = report.find(root)) != std::string::npos;)
        report.erase(at, root.size());
    return report;
}

TEST(DiskImageTest, StatusApplyOnImagesOfTwoFormatsInOneRunBackupsInsideAndRefusalsUnchanged)
{
    UseApplianceInSoftware();
    XpDrive drive({"alice", "bob"}, SeedEverythingOn);
    TemporaryFolder folder;
    Images images;
    std::string why;
    if (!MakeImages(drive, folder.Path(), images, why))
        GTEST_SKIP() << "libguestfs cannot make the test's images here: " << why;

    // status: what the folder run says, under the image's header.
    const Finished folderStatus = RunOffline({"--root", drive.Root(), "status"});
    const Finished status = RunOffline({"--image", images.qcow2, "status"});
    EXPECT_EQ(run::kExitNotAllDone, status.exitCode) << status.errors;
    EXPECT_EQ("Image\t" + images.qcow2 + "\n" + folderStatus.output, status.output);

    // apply on two formats at once; the image without Windows and the one
    // in use (locked as qemu locks the disk of a running machine) refused,
    // the others changed all the same.
    const int lockFd = open(images.inUse.c_str(), O_RDWR | O_CLOEXEC);
    struct flock lock {};
    lock.l_type = F_RDLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = 100;
    lock.l_len = 1;
    ASSERT_EQ(0, fcntl(lockFd, F_OFD_SETLK, &lock));
    const std::string noWindowsBefore = Bytes(images.noWindows);
    const std::string inUseBefore = Bytes(images.inUse);
    const Finished applied = RunOffline({"--image", images.qcow2, "--image", images.noWindows, "--image", images.vdi,
                                         "--image", images.inUse, "apply", "expert"});
    close(lockFd);
    EXPECT_EQ(run::kExitError, applied.exitCode);
    EXPECT_NE(std::string::npos, applied.errors.find("the disk image " + images.inUse + " is in use")) << applied.errors;
    EXPECT_NE(std::string::npos, applied.errors.find("no filesystem of the disk image " + images.noWindows))
        << applied.errors;
    EXPECT_TRUE(noWindowsBefore == Bytes(images.noWindows));
    // A read-only file is refused before the appliance starts (root may
    // write any file: then there is none to try).
    if (geteuid() != 0) {
        fs::permissions(images.inUse, fs::perms::owner_read);
        const Finished readOnly = RunOffline({"--image", images.inUse, "apply", "expert"});
        EXPECT_EQ(run::kExitError, readOnly.exitCode);
        EXPECT_NE(std::string::npos, readOnly.errors.find("cannot be written")) << readOnly.errors;
    }
    EXPECT_TRUE(inUseBefore == Bytes(images.inUse));
    const std::string folderApply = AsInImage(RunOffline({"--root", drive.Root(), "apply", "expert"}).output, drive.Root());
    EXPECT_EQ("Image\t" + images.qcow2 + "\n" + folderApply + "Image\t" + images.vdi + "\n" + folderApply,
              applied.output)
        << applied.errors;

    // The backups where veilmark.exe /backups finds them on the running
    // system, listed as paths inside the installation, which revert takes.
    const std::string backup = "/Documents and Settings/alice/Application Data/Veilmark/Backups/2026-12-07_153012.reg";
    const Finished listed = RunOffline({"--image", images.vdi, "--user", "alice", "backups"});
    EXPECT_EQ("Image\t" + images.vdi + "\n[alice]\n" + backup + "\n", listed.output) << listed.errors;
    const Finished reverted = RunOffline({"--image", images.vdi, "--user", "alice", "revert", backup});
    EXPECT_EQ(run::kExitSuccess, reverted.exitCode) << reverted.errors;

    // Read back by guestfish, value by value, as the folder tests read the
    // hives: the same as the pass writes on the in-memory registry (alice's
    // in the vdi, reverted, as before it); the backup byte for byte the
    // folder run's; no draft left.
    std::string said;
    const std::string back = folder.Path() + "/back";
    const std::string script = "run\nmkmountpoint /a\nmkmountpoint /b\nmount-ro /dev/sda1 /a\nmount-ro /dev/sdb1 /b\n"
                               "!mkdir -p '" + back + "/a' '" + back + "/b'\n"
                               "copy-out /a/WINDOWS \"/a/Documents and Settings\" \"" + back + "/a\"\n"
                               "copy-out /b/WINDOWS \"/b/Documents and Settings\" \"" + back + "/b\"\n";
    ASSERT_EQ(0, Guestfish("--ro -a " + images.qcow2 + " -a " + images.vdi, script, folder.Path(), said)) << said;
    for (const char* image : {"a", "b"}) {
        const std::string root = back + "/" + image;
        if (image == std::string("a")) {
            for (const std::string& profile : drive.Profiles())
                EXPECT_EQ("", DifferencesFromApplyExpert(root, profile)) << profile;
        } else {
            EXPECT_EQ("", DifferencesFromApplyExpert(root, "alice", false));
        }
        EXPECT_EQ(Bytes(drive.Root() + backup), Bytes(back + "/" + image + backup));
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(back + "/" + image))
            EXPECT_FALSE(entry.path().string().ends_with(".veilmark-new")) << entry.path();
    }
}

}  // namespace
