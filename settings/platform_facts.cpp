#include "settings/platform_facts.h"

#include "lang/texts.h"
#include "settings/catalogue.h"
#include "settings/text.h"

namespace {

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

WindowsEdition EditionOf(const IVersionInfo& versionInfo)
{
    OsVersion version;
    if (!versionInfo.Query(version))
        return WindowsEdition::Unknown;
    switch (version.suiteMask) {
    case kSuitePersonal | kSuiteSingleUserTerminalServices:
        return WindowsEdition::Home;
    case kSuiteSingleUserTerminalServices:
        return WindowsEdition::Professional;
    default:
        return WindowsEdition::Other;
    }
}

std::optional<std::string> ProductName(IRegistry& registry, std::uint32_t access)
{
    const ScopedRegKey key(registry, kProductNameValue.root, kProductNameValue.keyPath, access);
    RegistryValue value;
    if (!key || !registry.QueryValue(key.Get(), kProductNameValue.valueName, kRegistryBufferSize, value))
        return std::nullopt;
    return std::string(BytesAsText(value.data));
}

bool NamesWindowsXp(std::string_view name) { return SpanOf(kReferenceName, name) >= kReferenceName.size(); }

std::string SystemDescription(IRegistry& registry, const IVersionInfo& version, Language language)
{
    const std::optional<std::string> name = ProductName(registry);
    const std::string shown = name && !name->empty() ? *name : Text(TextId::UnnamedSystem, language);
    switch (EditionOf(version)) {
    case WindowsEdition::Home:
        return Text(TextId::EditionHome, language, {shown});
    case WindowsEdition::Professional:
        return Text(TextId::EditionProfessional, language, {shown});
    case WindowsEdition::Other: {
        OsVersion record;
        version.Query(record);
        return Text(TextId::EditionOther, language, {shown, HexNumber(record.suiteMask, 4)});
    }
    case WindowsEdition::Unknown:
        break;
    }
    return Text(TextId::EditionUnknown, language, {shown});
}
