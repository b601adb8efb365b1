#include "settings/registry_ops.h"

#include "lang/texts.h"
#include "platform/types.h"
#include "settings/catalogue.h"
#include "settings/text.h"

bool HasValueNamed(IRegistry& registry, RegKey key, std::string_view name)
{
    std::string found;
    for (std::uint32_t index = 0; registry.ValueName(key, index, found); ++index)
        if (EqualsIgnoringCase(found, name))
            return true;
    return false;
}

std::string WriteResultLine(std::int32_t code, std::string_view text, Language language)
{
    switch (code) {
    case 0:
        return Text(TextId::WriteOk, language, {text});
    case 1:
        return Text(TextId::WriteCannotOpenKey, language, {text});
    case 3:
        return Text(TextId::WriteCannotSet, language, {text});
    case 4:
        return Text(TextId::WriteCannotReadBack, language, {text});
    case 5:
        return Text(TextId::WriteReadBackDiffers, language, {text});
    default:
        return std::string(text);
    }
}

std::optional<std::string> ReadRegistryText(IRegistry& registry, RegistryRoot root, std::string_view keyPath,
                                            std::string_view valueName)
{
    const ScopedRegKey key(registry, root, keyPath, kKeyRead);
    RegistryValue value;
    if (!key || !registry.QueryValue(key.Get(), valueName, kRegistryBufferSize, value))
        return std::nullopt;
    return std::string(BytesAsText(value.data));
}

std::int32_t RegistryOps::TestValue(RegistryRoot root, std::string_view keyPath, std::string_view valueName,
                                    std::uint32_t testType, std::uint32_t expectedNumber, const char* expectedText)
{
    const ScopedRegKey key(m_registry, root, keyPath, kKeyRead);
    if (!key)
        return 2;

    RegistryValue value;
    switch (testType) {
    case kRegSz:
        if (!m_registry.QueryValue(key.Get(), valueName, kRegistryBufferSize, value))
            return 2;
        return expectedText ? ToBool(BytesAsText(value.data) == expectedText) : 0;
    case kRegBinary:
        if (!m_registry.QueryValue(key.Get(), valueName, kRegistryBufferSize, value))
            return 2;
        return ToBool(BytesAsText(value.data) == (expectedText ? expectedText : ""));
    case kRegDword:
        if (!m_registry.QueryValue(key.Get(), valueName, kRegistryDwordSize, value))
            return 2;
        return ToBool(AsNumber(value.data) == expectedNumber);
    default:
        return 0;
    }
}

bool RegistryOps::IsAbsent(RegistryRoot root, std::string_view keyPath, std::string_view valueName)
{
    const ScopedRegKey key(m_registry, root, keyPath, kKeyRead);
    return key.Missing() || (key && !HasValueNamed(m_registry, key.Get(), valueName));
}

std::int32_t RegistryOps::WriteValue(RegistryRoot root, std::string_view keyPath, std::string_view valueName,
                                     const std::uint8_t* data, std::uint32_t type, std::uint32_t size,
                                     std::int32_t labelNumber)
{
    std::int32_t code = 0;
    if (const ScopedRegKey key(m_registry, root, keyPath, kKeyAllAccess); !key) {
        code = 1;
    } else {
        if (!m_registry.SetValue(key.Get(), valueName, type, data, size))
            code = 3;
        // A later failure replaces an earlier code: the read-back decides.
        RegistryValue readBack;
        if (!m_registry.QueryValue(key.Get(), valueName, kRegistryBufferSize, readBack))
            code = 4;
        else if (BytesAsText(readBack.data) != BytesAsText(data, size))
            code = 5;
    }
    m_lastWrite = {code, WriteResultLine(code, WriteLabel(labelNumber), kFirstLanguage)};
    return code == 0 ? 0 : 1;
}

std::int32_t RegistryOps::DeleteValue(RegistryRoot root, std::string_view keyPath, std::string_view valueName)
{
    const ScopedRegKey key(m_registry, root, keyPath, kKeyAllAccess);
    return key && m_registry.DeleteValue(key.Get(), valueName) ? 0 : 1;
}

std::int32_t RegistryOps::DeleteKey(RegistryRoot root, std::string_view parentPath, std::string_view subkey)
{
    const ScopedRegKey parent(m_registry, root, parentPath, kKeyAllAccess);
    return parent && m_registry.DeleteKey(parent.Get(), subkey) ? 0 : 1;
}

std::int32_t RegistryOps::WhyNotDeleted(RegistryRoot root, std::string_view keyPath, std::string_view valueName)
{
    {
        const ScopedRegKey key(m_registry, root, keyPath, kKeyRead);
        // No key, so no value either; a key that is there but will not open
        // may still hold it.
        if (key.Missing())
            return 0;
        if (!key)
            return 1;
        if (!HasValueNamed(m_registry, key.Get(), valueName))
            return 0;
    }
    // Present but not deleted: either the key would not open for writing,
    // or the delete itself failed.
    const ScopedRegKey writable(m_registry, root, keyPath, kKeyAllAccess);
    return writable ? 3 : 1;
}

std::int32_t RegistryOps::WhyKeyNotDeleted(RegistryRoot root, std::string_view parentPath, std::string_view subkey)
{
    {
        const ScopedRegKey key(m_registry, root, std::string(parentPath) + "\\" + std::string(subkey), kKeyRead);
        if (key.Missing())
            return 0;  // not there: deleted already
        if (!key)
            return 1;  // there, but shut to us: not deleted
    }
    const ScopedRegKey writable(m_registry, root, parentPath, kKeyAllAccess);
    return writable ? 3 : 1;
}
