#include "platform/win32/win32_version_info.h"

#include "platform/win32/win32.h"

bool Win32VersionInfo::Query(OsVersion& version) const
{
    OSVERSIONINFOEXW record{};
    record.dwOSVersionInfoSize = sizeof(record);
    if (!GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&record)))
        return false;
    version = {record.dwMajorVersion, record.dwMinorVersion, record.dwBuildNumber, record.wSuiteMask,
               record.wProductType};
    return true;
}
