// The hive reader, on any file a disk image may hold: the base block's
// check, hivex's open and walk, every key and value read through the hive
// registry, then a value written and the hive put in place by the commit.
// A hive that opens is read to its end without a fault; a commit either
// leaves the file as it was or puts a hive there that opens again and holds
// the value written.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/hive/hive_commit.h"
#include "platform/hive/hive_registry.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

constexpr std::size_t kMostKeys = 2000;

// The hive file, in a folder of this process's own, removed at the end.
const std::string& HivePath()
{
    static const std::string path = [] {
        static std::string folder =
            (access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") + std::string("/fuzz_hive.XXXXXX");
        Require(mkdtemp(folder.data()) != nullptr, "a folder for the hive");
        std::atexit([] { std::filesystem::remove_all(folder); });
        return folder + "/NTUSER.DAT";
    }();
    return path;
}

std::string Contents(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

// Reads every key and value below `path` as the passes read them.
void ReadAll(HiveRegistry& registry, const std::string& path, std::size_t& keys)
{
    RegKey key = nullptr;
    if (++keys > kMostKeys || registry.OpenKey(RegistryRoot::CurrentUser, path, kKeyRead, key) != OpenResult::Opened)
        return;
    std::uint32_t count = 0;
    if (registry.CountValues(key, count))
        for (std::uint32_t i = 0; i < count && i < 256; ++i) {
            std::string name;
            RegistryValue value;
            if (registry.EnumValue(key, i, name, value)) {
                RegistryValue again;
                registry.QueryValue(key, name, 128, again);
            }
        }
    const std::vector<std::string> subkeys = registry.SubkeyNames(key);
    registry.CloseKey(key);
    for (const std::string& subkey : subkeys)
        ReadAll(registry, path.empty() ? subkey : path + "\\" + subkey, keys);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    const std::string& path = HivePath();
    const std::string input(reinterpret_cast<const char*>(bytes), size);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << input;

    HiveProblem problem = HiveProblem::None;
    std::string reason;
    std::unique_ptr<HiveFile> hive = HiveFile::Open(path, problem, reason);
    if (!hive) {
        Require(problem != HiveProblem::None, "a hive that does not open says why");
        Require(size < 0x200 || problem != HiveProblem::NotClosedCleanly ||
                    CheckHiveHeader(bytes, size) == HiveProblem::NotClosedCleanly,
                "a hive not closed cleanly is one whose base block says so");
        return 0;
    }
    Require(CheckHiveHeader(bytes, size) == HiveProblem::None, "a hive that opens has a sound base block");

    HiveMounts mounts;
    mounts.user = hive.get();
    HiveRegistry registry(mounts);
    std::size_t keys = 0;
    ReadAll(registry, "", keys);

    RegKey key = nullptr;
    if (!registry.CreateKey(RegistryRoot::CurrentUser, "Software\\Veilmark", kKeyWrite, key))
        return 0;
    const std::uint8_t one[4] = {1, 0, 0, 0};
    const bool set = registry.SetValue(key, "Fuzzed", kRegDword, one, sizeof one);
    registry.CloseKey(key);
    std::string error;
    const bool committed = set && CommitHives({hive.get()}, FileTimeNow(), error);
    hive.reset();
    if (!committed) {
        Require(Contents(path) == input, "a commit that fails leaves the hive as it was");
        Require(access(HiveDraftPath(path).c_str(), F_OK) != 0, "and no draft beside it");
        return 0;
    }
    hive = HiveFile::Open(path, problem, reason);
    Require(hive != nullptr, "a committed hive opens again");
    HiveMounts again;
    again.user = hive.get();
    HiveRegistry reread(again);
    RegKey written = nullptr;
    RegistryValue value;
    Require(reread.OpenKey(RegistryRoot::CurrentUser, "Software\\Veilmark", kKeyRead, written) == OpenResult::Opened &&
                reread.QueryValue(written, "Fuzzed", 4, value) && value.data.size() == 4 && value.data[0] == 1,
            "and holds the value written");
    reread.CloseKey(written);
    return 0;
}
