// The version record of the running Windows, from GetVersionExW with the
// extended record.
#pragma once

#include "platform/version_info.h"

class Win32VersionInfo final : public IVersionInfo {
public:
    bool Query(OsVersion& version) const override;
};
