#include "settings/revert.h"

#include "lang/texts.h"
#include "settings/apply_settings.h"
#include "settings/registry_ops.h"
#include "settings/restore_defaults.h"
#include "settings/text.h"

namespace settings {

namespace {

bool SameKey(const RegEntry& entry, RegistryRoot root, std::string_view keyPath)
{
    return entry.root == root && EqualsIgnoringCase(entry.keyPath, keyPath);
}

const RegistryBinding& AlexaKey() { return CatalogueEntryOf(OptionKey::RemoveAlexaEntry).binding; }

bool IsAlexaKey(const RegEntry& entry) { return SameKey(entry, AlexaKey().root, AlexaKey().keyPath); }

// Every value that a pass sets or deletes: those of the apply pass with
// every option selected, and those of the restore.
std::vector<BackupTarget> TouchedValues()
{
    Selection everything = Selection::Expert(false);
    everything.Select(OptionKey::MessengerNoAutostart);
    std::vector<BackupTarget> values = RestoreTargets();
    for (const BackupTarget& target : ApplyTargets(everything))
        if (!target.wholeKey)
            values.push_back(target);
    return values;
}

bool IsTouchedKey(const RegEntry& entry, const std::vector<BackupTarget>& values)
{
    for (const BackupTarget& value : values)
        if (SameKey(entry, value.root, value.keyPath))
            return true;
    return false;
}

bool IsTouchedValue(const RegEntry& entry, const std::vector<BackupTarget>& values)
{
    for (const BackupTarget& value : values)
        if (SameKey(entry, value.root, value.keyPath) && EqualsIgnoringCase(entry.name, value.valueName))
            return true;
    return false;
}

std::string KeyName(const RegEntry& entry) { return FullKeyName(entry.root, entry.keyPath); }

RevertResult SetValue(IRegistry& registry, const RegEntry& entry, Language language)
{
    const ScopedRegKey key(registry, entry.root, entry.keyPath, kKeyWrite);
    if (!key)
        return {&entry, false, Text(TextId::RevertKeyNotWritable, language)};
    if (!registry.SetValue(key.Get(), entry.name, entry.type, entry.data.data(),
                           static_cast<std::uint32_t>(entry.data.size())))
        return {&entry, false, Text(TextId::RevertCannotSet, language)};
    return {&entry, true, "restored"};
}

RevertResult DeleteValue(IRegistry& registry, const RegEntry& entry, Language language)
{
    {
        const ScopedRegKey key(registry, entry.root, entry.keyPath, kKeyWrite);
        if (key && registry.DeleteValue(key.Get(), entry.name))
            return {&entry, true, "deleted"};
    }
    // Absent only when it really is: a key that will not open may hold it.
    const ScopedRegKey key(registry, entry.root, entry.keyPath, kKeyRead);
    if (key.Missing() || (key && !HasValueNamed(registry, key.Get(), entry.name)))
        return {&entry, true, "already absent"};
    if (!key)
        return {&entry, false, Text(TextId::RevertKeyShut, language)};
    return {&entry, false, Text(TextId::RevertCannotDelete, language)};
}

}  // namespace

int CheckRevertable(const std::vector<RegEntry>& entries, std::string& error, Language language)
{
    const std::vector<BackupTarget> values = TouchedValues();
    for (const RegEntry& entry : entries) {
        switch (entry.kind) {
        case RegEntry::Kind::DeleteKey:
            error = Text(TextId::RevertDeletesKey, language, {KeyName(entry)});
            return entry.line;
        case RegEntry::Kind::Section:
            if (!IsAlexaKey(entry) && !IsTouchedKey(entry, values)) {
                error = Text(TextId::RevertNamesKey, language, {KeyName(entry)});
                return entry.line;
            }
            break;
        case RegEntry::Kind::DeleteValue:
        case RegEntry::Kind::SetValue:
            if (IsAlexaKey(entry) ? entry.kind == RegEntry::Kind::DeleteValue : !IsTouchedValue(entry, values)) {
                error = Text(TextId::RevertChangesValue, language, {entry.name, KeyName(entry)});
                return entry.line;
            }
            break;
        }
    }
    return 0;
}

std::vector<RevertResult> Revert(IRegistry& registry, const std::vector<RegEntry>& entries, Language language)
{
    std::vector<RevertResult> results;
    for (const RegEntry& entry : entries) {
        if (entry.kind == RegEntry::Kind::Section && IsAlexaKey(entry)) {
            RegKey key = nullptr;
            if (registry.CreateKey(entry.root, entry.keyPath, kKeyWrite, key))
                registry.CloseKey(key);
        } else if (entry.kind == RegEntry::Kind::SetValue) {
            results.push_back(SetValue(registry, entry, language));
        } else if (entry.kind == RegEntry::Kind::DeleteValue) {
            results.push_back(DeleteValue(registry, entry, language));
        }
    }
    return results;
}

}  // namespace settings
