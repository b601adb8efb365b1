// Disk images made by the tests and benchmarks themselves: a test drive
// copied into an NTFS partition by guestfish, in the formats qemu-img
// converts to. The appliance runs in software unless the caller's
// environment says otherwise: these machines have no KVM, or one that
// cannot run it.
#pragma once

#include <string>

#include "tests/offline/xp_drive.h"

// Sets LIBGUESTFS_BACKEND=direct and LIBGUESTFS_BACKEND_SETTINGS=force_tcg
// where they are not set.
void UseApplianceInSoftware();

// Runs a guestfish script with `options`; its exit code, and what it said
// in `said`. `folder` takes the script and its log.
int Guestfish(const std::string& options, const std::string& script, const std::string& folder, std::string& said);

// A raw image at `path` with one NTFS partition holding the drive's
// Windows folder and profiles and, when `withoutWindows` is named, a second
// raw image there with one NTFS partition and a folder; both in one launch.
// False, with what libguestfs said, when they cannot be made.
bool MakeXpImage(const XpDrive& drive, const std::string& path, const std::string& withoutWindows,
                 const std::string& folder, std::string& why);

// The raw image converted by qemu-img to `format` at `path`.
bool ConvertImage(const std::string& raw, const std::string& format, const std::string& path, std::string& why);
