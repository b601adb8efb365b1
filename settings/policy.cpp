#include "settings/policy.h"

#include "lang/texts.h"
#include "platform/utf8.h"

namespace {

// Whether `data` is one of the '|'-separated items of `list`, case ignored.
bool Listed(const char* list, std::string_view data)
{
    if (!list)
        return false;
    for (std::string_view rest = list;;) {
        const std::size_t bar = rest.find('|');
        if (EqualsIgnoringCase(rest.substr(0, bar), data))
            return true;
        if (bar == std::string_view::npos)
            return false;
        rest.remove_prefix(bar + 1);
    }
}

// The policy value's data as the lists give it: a REG_DWORD's number in
// decimal digits, a REG_SZ's text; nothing for a value that is missing or
// of another type than the policy's.
std::optional<std::string> PolicyData(IRegistry& registry, const PolicyValue& policy)
{
    const ScopedRegKey key(registry, policy.root, policy.keyPath, kKeyRead);
    RegistryValue value;
    if (!key || !registry.QueryValue(key.Get(), policy.valueName, kRegistryBufferSize, value) ||
        value.type != static_cast<std::uint32_t>(policy.type))
        return std::nullopt;
    if (policy.type == kRegDword)
        return value.data.size() == 4 ? std::optional(std::to_string(AsNumber(value.data))) : std::nullopt;
    return std::string(BytesAsText(value.data));
}

}  // namespace

PolicyDecision ReadPolicy(IRegistry& registry, const CatalogueEntry& entry)
{
    for (const PolicyValue& policy : entry.policy.Values()) {
        const std::optional<std::string> data = PolicyData(registry, policy);
        if (data && Listed(policy.forcesOn, *data))
            return {PolicyForce::KeepsOn, &policy};
        if (data && Listed(policy.forcesOff, *data))
            return {PolicyForce::KeepsOff, &policy};
    }
    return {};
}

std::string PolicyPlace(const PolicyValue& value, Language language)
{
    const TextId configuration = value.root == RegistryRoot::CurrentUser ? TextId::PolicyUser : TextId::PolicyComputer;
    return Text(configuration, language) + "\\" + Text(value.place, language);
}
