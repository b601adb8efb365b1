// A fixed version record, or a failing query.
#pragma once

#include "platform/version_info.h"

class MemoryVersionInfo final : public IVersionInfo {
public:
    // Windows XP Professional by default.
    MemoryVersionInfo() { m_version = {5, 1, 2600, kSuiteSingleUserTerminalServices, 1}; }

    void SetSuiteMask(std::uint16_t mask) { m_version.suiteMask = mask; }
    void SetFails(bool fails) { m_fails = fails; }

    bool Query(OsVersion& version) const override
    {
        if (m_fails)
            return false;
        version = m_version;
        return true;
    }

private:
    OsVersion m_version;
    bool m_fails = false;
};
