#include "platform/hive/hive_file.h"

#include <hivex.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <vector>

namespace {

constexpr std::size_t kBaseBlockChecked = 0x200;

std::uint32_t Read32(const std::uint8_t* at)
{
    return at[0] | at[1] << 8 | at[2] << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

}  // namespace

std::uint32_t HiveHeaderChecksum(const std::uint8_t* header)
{
    std::uint32_t sum = 0;
    for (std::size_t at = 0; at < 0x1FC; at += 4)
        sum ^= Read32(header + at);
    return sum;
}

bool HiveWalksWhole(hive_h* hive)
{
    const hivex_visitor visitor{};
    return hivex_visit(hive, &visitor, sizeof visitor, nullptr, 0) == 0;
}

HiveProblem CheckHiveHeader(const std::uint8_t* header, std::size_t size)
{
    if (size < kBaseBlockChecked || std::memcmp(header, "regf", 4) != 0)
        return HiveProblem::NotAHive;
    if (Read32(header + 4) != Read32(header + 8))
        return HiveProblem::NotClosedCleanly;
    // Windows stores 1 for a sum of 0 and 0xFFFFFFFE for 0xFFFFFFFF.
    const std::uint32_t sum = HiveHeaderChecksum(header);
    const std::uint32_t stored = Read32(header + 0x1FC);
    const std::uint32_t windows = sum == 0 ? 1 : sum == 0xFFFFFFFF ? 0xFFFFFFFE : sum;
    if (stored != sum && stored != windows)
        return HiveProblem::NotClosedCleanly;
    return HiveProblem::None;
}

std::unique_ptr<HiveFile> HiveFile::Open(const std::string& path, HiveProblem& problem, std::string& reason)
{
    std::ifstream file(path, std::ios::binary);
    std::vector<std::uint8_t> header(kBaseBlockChecked);
    if (!file || !file.read(reinterpret_cast<char*>(header.data()), static_cast<std::streamsize>(header.size()))) {
        problem = file ? HiveProblem::NotAHive : HiveProblem::Unreadable;
        reason = file ? "too short for a hive" : std::strerror(errno);
        return nullptr;
    }
    problem = CheckHiveHeader(header.data(), header.size());
    if (problem != HiveProblem::None)
        return nullptr;
    hive_h* hive = hivex_open(path.c_str(), HIVEX_OPEN_WRITE);
    if (!hive || !HiveWalksWhole(hive)) {
        // A base block that passed its checks over cells hivex cannot
        // read: a truncated or damaged hive.
        problem = !hive && (errno == ENOENT || errno == EACCES) ? HiveProblem::Unreadable : HiveProblem::Damaged;
        reason = std::strerror(errno);
        if (hive)
            hivex_close(hive);
        return nullptr;
    }
    return std::unique_ptr<HiveFile>(new HiveFile(hive, path));
}

HiveFile::~HiveFile() { hivex_close(m_hive); }
