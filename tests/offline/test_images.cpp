#include "tests/offline/test_images.h"

#include <cstdlib>
#include <fstream>

namespace {

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

}  // namespace

void UseApplianceInSoftware()
{
    setenv("LIBGUESTFS_BACKEND", "direct", 0);
    setenv("LIBGUESTFS_BACKEND_SETTINGS", "force_tcg", 0);
}

int Guestfish(const std::string& options, const std::string& script, const std::string& folder, std::string& said)
{
    const std::string scriptPath = folder + "/script";
    std::ofstream(scriptPath) << script;
    const std::string log = folder + "/guestfish.log";
    const std::string command = "guestfish " + options + " -f '" + scriptPath + "' >'" + log + "' 2>&1";
    const int status = std::system(command.c_str());
    said = Bytes(log);
    return status;
}

bool MakeXpImage(const XpDrive& drive, const std::string& path, const std::string& withoutWindows,
                 const std::string& folder, std::string& why)
{
    std::string options = "-N '" + path + "=fs:ntfs:48M'";
    std::string script = "mount /dev/sda1 /\n"
                         "copy-in " + Quoted(drive.Windows()) + " " + Quoted(drive.Root() + "/Documents and Settings") +
                         " /\n";
    if (!withoutWindows.empty()) {
        options += " -N '" + withoutWindows + "=fs:ntfs:16M'";
        script += "umount /\nmount /dev/sdb1 /\nmkdir /Data\n";
    }
    return Guestfish(options, script, folder, why) == 0;
}

bool ConvertImage(const std::string& raw, const std::string& format, const std::string& path, std::string& why)
{
    const std::string convert = "qemu-img convert -O " + format + " '" + raw + "' '" + path + "'";
    if (std::system(convert.c_str()) == 0)
        return true;
    why = convert + " failed";
    return false;
}
