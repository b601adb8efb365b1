// The two platform checks of the start-up: is this Windows XP, and which edition.
#include "app/platform_checks.h"

#include <string>

#include "app/main_dlg.h"
#include "settings/text.h"

namespace {

constexpr const char* kVersionKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
constexpr std::string_view kReferenceName = "Microsoft Windows XP";

// How many leading characters of `reference` occur anywhere in `name`, as
// the C library's strspn counts them. Reference characters are ASCII, so
// the bytes of a UTF-8 name can match only where the name has that letter.
std::size_t SpanOf(std::string_view reference, std::string_view name)
{
    std::size_t length = 0;
    while (length < reference.size() && name.find(reference[length]) != std::string_view::npos)
        ++length;
    return length;
}

}  // namespace

std::int32_t CMainDlg::CheckProductName()
{
    RegistryValue value;
    {
        const ScopedRegKey key(m_registry, RegistryRoot::LocalMachine, kVersionKey, kKeyAllAccess);
        // A name that cannot be read tells nothing about the system: no warning.
        if (!key || !m_registry.QueryValue(key.Get(), "ProductName", kRegistryBufferSize, value))
            return 0;
    }

    const std::string name(BytesAsText(value.data));
    if (SpanOf(kReferenceName, name) >= kReferenceName.size())
        return 0;

    const std::string warning =
        "您的作業系統不是 Windows XP，建議您立即關閉此程式！      \n您目前所使用的作業系統是： " + name;
    return ToBool(m_prompt.Show(warning, kPromptYesNo | kPromptIconWarning) == kAnswerYes);
}

std::int32_t CMainDlg::GetEditionKind() { return EditionKindOf(m_version); }

std::int32_t EditionKindOf(const IVersionInfo& versionInfo)
{
    OsVersion version;
    if (!versionInfo.Query(version))
        return 0;
    switch (version.suiteMask) {
    case kSuitePersonal | kSuiteSingleUserTerminalServices:
        return 1;
    case kSuiteSingleUserTerminalServices:
        return 2;
    default:
        return -1;
    }
}

std::string SystemDescription(IRegistry& registry, const IVersionInfo& version)
{
    const auto name = ReadRegistryText(registry, RegistryRoot::LocalMachine, kVersionKey, "ProductName");
    const std::string line = (name && !name->empty() ? *name : "unnamed system") + " (edition: ";
    OsVersion record;
    switch (EditionKindOf(version)) {
    case 1:
        return line + "Home Edition)";
    case 2:
        return line + "Professional)";
    case -1: {
        version.Query(record);
        return line + "other, suite mask 0x" + HexNumber(record.suiteMask, 4) + ")";
    }
    default:
        return line + "unknown)";
    }
}
