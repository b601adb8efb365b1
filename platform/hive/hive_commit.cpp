#include "platform/hive/hive_commit.h"

#include <fcntl.h>
#include <hivex.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <set>

namespace {

// A key record: its cell's size, then "nk", its flags and its time.
constexpr std::size_t kKeyIdAt = 4;
constexpr std::size_t kKeyTimeAt = 8;
constexpr std::size_t kHeaderTimeAt = 0x0C;
constexpr std::size_t kHeaderChecksumAt = 0x1FC;
constexpr std::size_t kFirstBinTimeAt = 0x1000 + 0x14;

std::string Failure(const std::string& path) { return path + ": " + std::strerror(errno); }

bool WriteAt(int fd, std::size_t at, const void* bytes, std::size_t size)
{
    return pwrite(fd, bytes, size, static_cast<off_t>(at)) == static_cast<ssize_t>(size);
}

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

// Gives the draft's changed keys, its header and its first bin the time of
// the change, mends the header's checksum and syncs the file.
bool StampAndSync(const HiveFile& hive, const std::string& draft, std::uint64_t fileTime, std::string& error)
{
    const int fd = open(draft.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) {
        error = Failure(draft);
        return false;
    }
    std::uint8_t time[8];
    for (int i = 0; i < 8; ++i)
        time[i] = static_cast<std::uint8_t>(fileTime >> (8 * i));
    bool ok = true;
    for (std::size_t node : hive.TouchedKeys()) {
        char id[2];
        // A key deleted since it was touched is no key record any more.
        if (pread(fd, id, 2, static_cast<off_t>(node + kKeyIdAt)) == 2 && id[0] == 'n' && id[1] == 'k')
            ok = ok && WriteAt(fd, node + kKeyTimeAt, time, sizeof time);
    }
    std::uint8_t header[0x200];
    ok = ok && WriteAt(fd, kHeaderTimeAt, time, sizeof time) && WriteAt(fd, kFirstBinTimeAt, time, sizeof time) &&
         pread(fd, header, sizeof header, 0) == static_cast<ssize_t>(sizeof header);
    if (ok) {
        const std::uint32_t sum = HiveHeaderChecksum(header);
        const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(sum), static_cast<std::uint8_t>(sum >> 8),
                                       static_cast<std::uint8_t>(sum >> 16), static_cast<std::uint8_t>(sum >> 24)};
        ok = WriteAt(fd, kHeaderChecksumAt, bytes, sizeof bytes) && fsync(fd) == 0;
    }
    if (!ok)
        error = Failure(draft);
    return close(fd) == 0 && ok;
}

bool SyncFolder(const std::string& folder, std::string& error)
{
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const bool ok = fd >= 0 && fsync(fd) == 0;
    if (!ok)
        error = Failure(folder);
    if (fd >= 0)
        close(fd);
    return ok;
}

}  // namespace

std::string HiveDraftPath(const std::string& hivePath) { return hivePath + ".veilmark-new"; }

bool HiveWalks(const std::string& path, std::string& error)
{
    hive_h* hive = hivex_open(path.c_str(), 0);
    if (!hive) {
        error = Failure(path);
        return false;
    }
    const bool walked = HiveWalksWhole(hive);
    if (!walked)
        error = Failure(path);
    hivex_close(hive);
    return walked;
}

std::uint64_t FileTimeNow()
{
    constexpr std::uint64_t kSecondsFrom1601To1970 = 11644473600ULL;
    const auto since1970 = std::chrono::system_clock::now().time_since_epoch();
    const auto ticks = std::chrono::duration_cast<std::chrono::nanoseconds>(since1970).count() / 100;
    return kSecondsFrom1601To1970 * 10000000ULL + static_cast<std::uint64_t>(ticks);
}

bool WriteHiveDrafts(const std::vector<HiveFile*>& hives, std::uint64_t fileTime, std::vector<HiveDraft>& drafts,
                     std::string& error, const std::function<void(std::string_view step)>& beforeStep)
{
    const auto step = [&](std::string_view name) {
        if (beforeStep)
            beforeStep(name);
    };
    drafts.clear();
    bool ok = true;
    for (HiveFile* hive : hives) {
        if (!ok || !hive->Changed())
            continue;
        drafts.push_back({hive, HiveDraftPath(hive->Path())});
        const std::string& draft = drafts.back().path;
        step("write draft");
        if (hivex_commit(hive->Handle(), draft.c_str(), 0) != 0) {
            error = Failure(draft);
            ok = false;
            continue;
        }
        step("stamp and sync draft");
        ok = StampAndSync(*hive, draft, fileTime, error);
    }
    for (std::size_t i = 0; ok && i < drafts.size(); ++i) {
        step("walk draft");
        ok = HiveWalks(drafts[i].path, error);
    }
    if (!ok) {
        for (const HiveDraft& draft : drafts)
            unlink(draft.path.c_str());
        drafts.clear();
    }
    return ok;
}

bool CommitHives(const std::vector<HiveFile*>& hives, std::uint64_t fileTime, std::string& error,
                 const std::function<void(std::string_view step)>& beforeStep)
{
    std::vector<HiveDraft> drafts;
    if (!WriteHiveDrafts(hives, fileTime, drafts, error, beforeStep))
        return false;
    std::set<std::string> folders;
    for (std::size_t i = 0; i < drafts.size(); ++i) {
        if (beforeStep)
            beforeStep("replace hive");
        const std::string& hive = drafts[i].hive->Path();
        if (rename(drafts[i].path.c_str(), hive.c_str()) != 0) {
            // The hives renamed before stand as they should; this one and
            // those after it stand as they were.
            error = Failure(hive);
            for (std::size_t j = i; j < drafts.size(); ++j)
                unlink(drafts[j].path.c_str());
            return false;
        }
        folders.insert(FolderOf(hive));
    }
    if (beforeStep)
        beforeStep("sync folders");
    for (const std::string& folder : folders)
        if (!SyncFolder(folder, error))
            return false;
    return true;
}
