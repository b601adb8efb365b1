// Port: the operating system's version record, as far as the edition check
// reads it.
#pragma once

#include <cstdint>

struct OsVersion {
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
    std::uint32_t build = 0;
    std::uint16_t suiteMask = 0;
    std::uint8_t productType = 0;
};

// Suite mask bits, with the values Windows gives them.
enum SuiteMask : std::uint16_t {
    kSuiteSingleUserTerminalServices = 0x0100,
    kSuitePersonal = 0x0200,
};

class IVersionInfo {
public:
    IVersionInfo() = default;
    IVersionInfo(const IVersionInfo&) = delete;
    IVersionInfo& operator=(const IVersionInfo&) = delete;
    virtual ~IVersionInfo() = default;

    // Fills `version`; false when the query failed.
    virtual bool Query(OsVersion& version) const = 0;
};
