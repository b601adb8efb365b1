// veilmark-offline on disk images against what an administrator would use
// instead: libguestfs' own virt-win-reg --merge of the same machine values
// (the control set given as ControlSet001: virt-win-reg resolves no
// CurrentControlSet), image by image. On qcow2 images of a test drive with
// two profiles it times `apply recommended` over all of them in one run
// (one appliance) against one virt-win-reg per image (an appliance each),
// for one image and for IMAGES images, and prints the ratios.
//
// Usage: veilmark_image_bench [IMAGES]   (by default 4)
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/builtin/builtin_string_table.h"
#include "settings/apply_settings.h"
#include "settings/labels.h"
#include "tests/bench/run_program.h"
#include "tests/offline/test_images.h"
#include "tests/offline/xp_drive.h"

namespace {

namespace fs = std::filesystem;

constexpr const char kWindowsProgram[] = "/usr/lib/i386-linux-gnu/wine/i386-windows/cmd.exe";

// The machine's values of `apply recommended` as a .reg file for
// virt-win-reg: the sections of HKEY_LOCAL_MACHINE, CurrentControlSet as
// ControlSet001.
std::string MachineChanges()
{
    BuiltinStringTable strings;
    RegFile changes;
    settings::ExportSettings(settings::Selection::Recommended(false), {strings, LanguageBaseOf(Language::English)},
                             changes);
    std::string machine = "Windows Registry Editor Version 5.00\n\n";
    bool keep = false;
    const std::string text = changes.Text();
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = text.find('\n', at);
        std::string line = text.substr(at, end - at + 1);
        at = end == std::string::npos ? text.size() : end + 1;
        if (line.starts_with("[") || line.starts_with("[-"))
            keep = line.find("HKEY_LOCAL_MACHINE") != std::string::npos;
        if (const std::size_t set = line.find("\\CurrentControlSet\\"); set != std::string::npos)
            line.replace(set + 1, 17, "ControlSet001");
        if (keep && !line.starts_with(";"))
            machine += line;
    }
    return machine;
}

struct Times {
    double ours;
    double theirs;
};

Times Measure(const std::string& program, const std::string& base, const std::string& folder, int count,
              const std::string& changes)
{
    std::vector<std::string> ours{program};
    std::vector<std::string> theirs;
    for (int i = 0; i < count; ++i) {
        const std::string a = folder + "/ours" + std::to_string(i) + ".qcow2";
        const std::string b = folder + "/theirs" + std::to_string(i) + ".qcow2";
        fs::copy_file(base, a, fs::copy_options::overwrite_existing);
        fs::copy_file(base, b, fs::copy_options::overwrite_existing);
        ours.insert(ours.end(), {"--image", a});
        theirs.push_back(b);
    }
    ours.insert(ours.end(), {"apply", "recommended"});
    auto start = BenchClock::now();
    const int applied = Execute(ours);
    const double oursTime = Seconds(start);
    start = BenchClock::now();
    int merged = 0;
    for (const std::string& image : theirs)
        merged |= Execute({"virt-win-reg", "--merge", image, changes});
    const double theirsTime = Seconds(start);
    std::printf("  %d image(s): veilmark-offline %.1f s (exit %d), virt-win-reg --merge %.1f s (exit %d), ratio %.2f\n",
                count, oursTime, applied, theirsTime, merged, oursTime / theirsTime);
    return {oursTime, theirsTime};
}

}  // namespace

int main(int argc, char** argv)
{
    const int images = argc > 1 ? std::atoi(argv[1]) : 4;
    UseApplianceInSoftware();
    XpDrive drive({"ann", "ben"}, SeedEverythingOn);
    // libguestfs' inspection, which virt-win-reg needs, takes a Windows
    // folder for one only where system32 holds a cmd.exe of a known
    // architecture: Wine's 32-bit one.
    fs::copy_file(kWindowsProgram, drive.Windows() + "/system32/cmd.exe");
    TemporaryFolder work;
    std::string why;
    const std::string raw = work.Path() + "/xp.img";
    const std::string base = work.Path() + "/xp.qcow2";
    if (!MakeXpImage(drive, raw, {}, work.Path(), why) || !ConvertImage(raw, "qcow2", base, why)) {
        std::fprintf(stderr, "cannot make the image: %s\n", why.c_str());
        return 2;
    }
    const std::string changes = work.Path() + "/machine.reg";
    std::ofstream(changes) << MachineChanges();
    std::printf("apply recommended, veilmark-offline in one run against virt-win-reg --merge per image:\n");
    Measure(VEILMARK_OFFLINE_PROGRAM, base, work.Path(), 1, changes);
    Measure(VEILMARK_OFFLINE_PROGRAM, base, work.Path(), images, changes);
    return 0;
}
