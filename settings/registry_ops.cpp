#include "settings/registry_ops.h"

#include "lang/texts.h"
#include "settings/text.h"

bool HasValueNamed(IRegistry& registry, RegKey key, std::string_view name)
{
    std::string found;
    for (std::uint32_t index = 0; registry.ValueName(key, index, found); ++index)
        if (EqualsIgnoringCase(found, name))
            return true;
    return false;
}

std::string WriteResultLine(WriteCode code, std::string_view text, Language language)
{
    switch (code) {
    case WriteCode::Done:
        return Text(TextId::WriteOk, language, {text});
    case WriteCode::CannotOpenKey:
        return Text(TextId::WriteCannotOpenKey, language, {text});
    case WriteCode::CannotSet:
        return Text(TextId::WriteCannotSet, language, {text});
    case WriteCode::CannotReadBack:
        return Text(TextId::WriteCannotReadBack, language, {text});
    case WriteCode::ReadBackDiffers:
        break;
    }
    return Text(TextId::WriteReadBackDiffers, language, {text});
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

TestResult RegistryOps::TestValue(RegistryRoot root, std::string_view keyPath, std::string_view valueName,
                                  std::uint32_t testType, std::uint32_t expectedNumber, const char* expectedText)
{
    const ScopedRegKey key(m_registry, root, keyPath, kKeyRead);
    if (!key)
        return TestResult::Unreadable;

    const auto equalIf = [](bool equal) { return equal ? TestResult::Equals : TestResult::Differs; };
    RegistryValue value;
    switch (testType) {
    case kRegSz:
        if (!m_registry.QueryValue(key.Get(), valueName, kRegistryBufferSize, value))
            return TestResult::Unreadable;
        return expectedText ? equalIf(BytesAsText(value.data) == expectedText) : TestResult::Differs;
    case kRegBinary:
        if (!m_registry.QueryValue(key.Get(), valueName, kRegistryBufferSize, value))
            return TestResult::Unreadable;
        return equalIf(BytesAsText(value.data) == (expectedText ? expectedText : ""));
    case kRegDword:
        if (!m_registry.QueryValue(key.Get(), valueName, kRegistryDwordSize, value))
            return TestResult::Unreadable;
        return equalIf(AsNumber(value.data) == expectedNumber);
    default:
        return TestResult::Differs;
    }
}

bool RegistryOps::IsAbsent(RegistryRoot root, std::string_view keyPath, std::string_view valueName)
{
    const ScopedRegKey key(m_registry, root, keyPath, kKeyRead);
    return key.Missing() || (key && !HasValueNamed(m_registry, key.Get(), valueName));
}

WriteCode RegistryOps::WriteValue(RegistryRoot root, std::string_view keyPath, std::string_view valueName,
                                  const std::uint8_t* data, std::uint32_t type, std::uint32_t size)
{
    const ScopedRegKey key(m_registry, root, keyPath, kKeyAllAccess);
    if (!key)
        return WriteCode::CannotOpenKey;
    WriteCode code = WriteCode::Done;
    if (!m_registry.SetValue(key.Get(), valueName, type, data, size))
        code = WriteCode::CannotSet;
    // A later failure replaces an earlier code: the read-back decides.
    RegistryValue readBack;
    if (!m_registry.QueryValue(key.Get(), valueName, kRegistryBufferSize, readBack))
        code = WriteCode::CannotReadBack;
    else if (BytesAsText(readBack.data) != BytesAsText(data, size))
        code = WriteCode::ReadBackDiffers;
    return code;
}

bool RegistryOps::DeleteValue(RegistryRoot root, std::string_view keyPath, std::string_view valueName)
{
    const ScopedRegKey key(m_registry, root, keyPath, kKeyAllAccess);
    return key && m_registry.DeleteValue(key.Get(), valueName);
}

bool RegistryOps::DeleteKey(RegistryRoot root, std::string_view parentPath, std::string_view subkey)
{
    const ScopedRegKey parent(m_registry, root, parentPath, kKeyAllAccess);
    return parent && m_registry.DeleteKey(parent.Get(), subkey);
}

WriteCode RegistryOps::WhyNotDeleted(RegistryRoot root, std::string_view keyPath, std::string_view valueName)
{
    {
        const ScopedRegKey key(m_registry, root, keyPath, kKeyRead);
        // No key, so no value either; a key that is there but will not open
        // may still hold it.
        if (key.Missing())
            return WriteCode::Done;
        if (!key)
            return WriteCode::CannotOpenKey;
        if (!HasValueNamed(m_registry, key.Get(), valueName))
            return WriteCode::Done;
    }
    // Present but not deleted: either the key would not open for writing,
    // or the delete itself failed.
    const ScopedRegKey writable(m_registry, root, keyPath, kKeyAllAccess);
    return writable ? WriteCode::CannotSet : WriteCode::CannotOpenKey;
}

WriteCode RegistryOps::WhyKeyNotDeleted(RegistryRoot root, std::string_view parentPath, std::string_view subkey)
{
    {
        const ScopedRegKey key(m_registry, root, std::string(parentPath) + "\\" + std::string(subkey), kKeyRead);
        if (key.Missing())
            return WriteCode::Done;  // not there: deleted already
        if (!key)
            return WriteCode::CannotOpenKey;  // there, but shut to us: not deleted
    }
    const ScopedRegKey writable(m_registry, root, parentPath, kKeyAllAccess);
    return writable ? WriteCode::CannotSet : WriteCode::CannotOpenKey;
}
