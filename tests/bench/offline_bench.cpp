// veilmark-offline against what an administrator would use instead:
// hivexregedit --merge of the same changes as .reg files, hive by hive. On
// an XP drive whose SOFTWARE hive holds more than 100,000 keys and 20 MB,
// with five profiles, it times `status` and `apply expert`, then the merge
// of the changes that apply makes, each on a fresh copy of the drive, and
// prints the best of the runs and their ratio. After the runs it checks
// that both ways leave the installation in the same state.
//
// Usage: veilmark_offline_bench [KEYS [RUNS]]   (by default 120000 keys, 3 runs)
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "platform/builtin/builtin_string_table.h"
#include "settings/apply_settings.h"
#include "settings/labels.h"
#include "tests/bench/run_program.h"
#include "tests/offline/xp_drive.h"

namespace {

namespace fs = std::filesystem;
using Clock = BenchClock;

// The changes of `apply expert` as .reg files for hivexregedit, one per
// hive: SOFTWARE's, SYSTEM's (in the control set in use), and a user's.
std::map<std::string, std::string> ChangesByHive()
{
    BuiltinStringTable strings;
    RegFile changes;
    settings::ExportSettings(settings::Selection::Expert(false), {strings, LanguageBaseOf(Language::English)}, changes);
    std::map<std::string, std::string> files;
    std::string* current = nullptr;
    std::string text = changes.Text();
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = text.find('\n', at);
        std::string line = text.substr(at, end - at + 1);
        at = end == std::string::npos ? text.size() : end + 1;
        if (line.starts_with("[")) {
            const bool system = line.find("\\SYSTEM\\CurrentControlSet\\") != std::string::npos;
            if (system)
                line.replace(line.find("CurrentControlSet"), 17, "ControlSet001");
            current = &files[system ? "system" : line.find("HKEY_LOCAL_MACHINE") != std::string::npos ? "software" : "user"];
        }
        if (current && !line.starts_with(";"))
            *current += line;
    }
    for (auto& [hive, content] : files)
        content = "Windows Registry Editor Version 5.00\n\n" + content;
    return files;
}

}  // namespace

int main(int argc, char** argv)
{
    const int keys = argc > 1 ? std::atoi(argv[1]) : 120000;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 3;
    const std::string program = VEILMARK_OFFLINE_PROGRAM;

    std::printf("Making an XP drive: %d keys in SOFTWARE, five profiles...\n", keys);
    const auto made = Clock::now();
    XpDrive drive({"ann", "ben", "cay", "dan"}, [&](IRegistry& registry, const std::string& profile) {
        SeedEverythingOn(registry, profile);
        if (profile != "ann")
            return;
        const std::vector<std::uint8_t> data = TextBytes(std::string(60, 'x'));
        for (int i = 0; i < keys; ++i)
            PutValue(registry, RegistryRoot::LocalMachine,
                     "SOFTWARE\\Vendor" + std::to_string(i % 10) + "\\Product" + std::to_string(i / 1000) +
                         "\\Component" + std::to_string(i % 1000),
                     "Data", kRegSz, data);
    });
    std::printf("  made in %.1f s; SOFTWARE is %.1f MB\n", Seconds(made),
                static_cast<double>(fs::file_size(drive.Software())) / 1e6);

    const std::map<std::string, std::string> changes = ChangesByHive();
    TemporaryFolder work;
    const std::string copy = work.Path() + "/drive";
    const auto fresh = [&] {
        fs::remove_all(copy);
        fs::copy(drive.Root(), copy, fs::copy_options::recursive);
    };
    for (const auto& [hive, content] : changes)
        std::ofstream(work.Path() + "/" + hive + ".reg") << content;

    double status = 1e9, apply = 1e9, merge = 1e9;
    for (int run = 0; run < runs; ++run) {
        fresh();
        auto start = Clock::now();
        Execute({program, "--root", copy, "status"});
        status = std::min(status, Seconds(start));
        start = Clock::now();
        const int applied = Execute({program, "--root", copy, "apply", "expert"});
        apply = std::min(apply, Seconds(start));

        fresh();
        start = Clock::now();
        int merged = 0;
        const auto mergeInto = [&](const std::string& hive, const std::string& prefix, const std::string& changesOf) {
            merged |= Execute({"hivexregedit", "--merge", "--prefix", prefix, hive, work.Path() + "/" + changesOf + ".reg"});
        };
        const std::string config = copy + "/WINDOWS/system32/config/";
        mergeInto(config + "software", "HKEY_LOCAL_MACHINE\\SOFTWARE", "software");
        mergeInto(config + "system", "HKEY_LOCAL_MACHINE\\SYSTEM", "system");
        for (const std::string& profile : drive.Profiles())
            mergeInto(copy + "/Documents and Settings/" + profile + "/NTUSER.DAT", "HKEY_CURRENT_USER", "user");
        merge = std::min(merge, Seconds(start));
        std::printf("  run %d: apply exit %d, merges exit %d\n", run + 1, applied, merged);
    }
    // Both ways leave the same registry (Media Player aside, whose run
    // neither can make).
    const std::string afterMerge = work.Path() + "/after-merge.txt";
    Execute({program, "--root", copy, "status"}, afterMerge);
    fresh();
    Execute({program, "--root", copy, "apply", "expert"});
    const std::string afterApply = work.Path() + "/after-apply.txt";
    Execute({program, "--root", copy, "status"}, afterApply);
    const auto read = [](const std::string& path) {
        std::ifstream file(path);
        return std::string(std::istreambuf_iterator<char>(file), {});
    };
    const bool same = read(afterMerge) == read(afterApply);

    std::printf("veilmark-offline status:       %.3f s\n", status);
    std::printf("veilmark-offline apply expert: %.3f s (backups of five profiles, seven hives written and checked)\n",
                apply);
    std::printf("hivexregedit --merge, 7 hives: %.3f s\n", merge);
    std::printf("Ratio apply / merge: %.2f; status / merge: %.2f; same result: %s\n", apply / merge, status / merge,
                same ? "yes" : "no");
    return same ? 0 : 1;
}
