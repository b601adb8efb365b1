// One hive file of a Windows installation that is not running, open through
// hivex for reading and changing. The file itself is never written in
// place: CommitHives (hive_commit.h) writes the changed hive beside it and
// puts it there whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <set>
#include <string>

struct hive_h;

// Why a hive cannot be used.
enum class HiveProblem {
    None,
    Unreadable,        // the file cannot be read
    NotAHive,          // no regf header, or hivex refuses what follows it
    NotClosedCleanly,  // its sequence numbers differ or its checksum is wrong
    Damaged,           // its header is sound but hivex cannot walk it whole
};

// What the hive's base block (the first 512 bytes or more) says of it.
// hivex would open a hive that Windows did not close cleanly and, on its
// first commit, mark it clean: such a hive is refused before anything else.
HiveProblem CheckHiveHeader(const std::uint8_t* header, std::size_t size);

// The checksum of a base block: the XOR of its first 127 double words.
std::uint32_t HiveHeaderChecksum(const std::uint8_t* header);

// Whether hivex reaches every key and value of the open hive.
bool HiveWalksWhole(hive_h* hive);

class HiveFile {
public:
    // Opens the hive at `path` for changes (hivex holds it in memory) and
    // walks it whole; null, with the problem and the system's words for it,
    // when it cannot be.
    static std::unique_ptr<HiveFile> Open(const std::string& path, HiveProblem& problem, std::string& reason);
    ~HiveFile();
    HiveFile(const HiveFile&) = delete;
    HiveFile& operator=(const HiveFile&) = delete;

    hive_h* Handle() const { return m_hive; }
    const std::string& Path() const { return m_path; }

    // Notes that the key's values or subkeys changed: hivex leaves its time
    // as it was, so the commit sets it.
    void Touch(std::size_t node) { m_touched.insert(node); }
    bool Changed() const { return !m_touched.empty(); }
    const std::set<std::size_t>& TouchedKeys() const { return m_touched; }

private:
    HiveFile(hive_h* hive, std::string path) : m_hive(hive), m_path(std::move(path)) {}

    hive_h* m_hive;
    std::string m_path;
    std::set<std::size_t> m_touched;
};
