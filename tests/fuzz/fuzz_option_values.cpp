// The status check, the backup, the apply pass, the restore and the revert
// over fuzzed option keys: each key absent, shut or there, holding values of
// any type and length. The check reads anything; a step reported done has
// its effect; and where the backup could be taken, importing it after both
// passes gives every value back exactly.
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/builtin/builtin_string_table.h"
#include "platform/memory/memory_prompt.h"
#include "platform/memory/memory_registry.h"
#include "settings/apply_settings.h"
#include "settings/reg_import.h"
#include "settings/restore_defaults.h"
#include "settings/revert.h"
#include "settings/status_check.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

using settings::RegEntry;

struct KeyName {
    RegistryRoot root;
    std::string path;
    auto operator<=>(const KeyName&) const = default;
};

// The options' keys and the names of the values that stand in each.
const std::map<KeyName, std::vector<std::string>>& OptionKeys()
{
    static const std::map<KeyName, std::vector<std::string>> keys = [] {
        std::map<KeyName, std::vector<std::string>> found;
        for (const CatalogueEntry& entry : Catalogue())
            if (entry.binding.keyPath)
                found[{entry.binding.root, entry.binding.keyPath}].push_back(entry.binding.valueName);
        return found;
    }();
    return keys;
}

void Seed(FuzzedDataProvider& data, MemoryRegistry& registry)
{
    for (const auto& [key, names] : OptionKeys()) {
        const int state = data.ConsumeIntegralInRange(0, 9);
        if (state == 0)
            continue;  // absent
        registry.CreateKey(key.root, key.path);
        if (state == 1)
            registry.DenyAccess(key.root, key.path);
        for (const std::string& name : names)
            if (data.ConsumeBool()) {
                const RegistryValue value = FuzzedValue(data);
                registry.Put(key.root, key.path, name, value.type, value.data);
            }
        for (int extra = data.ConsumeIntegralInRange(0, 2); extra > 0; --extra) {
            const std::string name = WithoutZeros(FuzzedText(data, 20));
            const RegistryValue value = FuzzedValue(data);
            registry.Put(key.root, key.path, name, value.type, value.data);
        }
    }
}

// Every value of every option key, by key and lower-case name (names that
// differ in case only are one value); a key that is absent has no entry. Names that
// hold a line break are left out: no .reg file can name them.
using State = std::map<KeyName, std::map<std::string, std::pair<std::uint32_t, std::vector<std::uint8_t>>>>;

std::string Lower(std::string text)
{
    for (char& c : text)
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    return text;
}

State Read(MemoryRegistry& registry)
{
    State state;
    for (const auto& [key, names] : OptionKeys()) {
        if (!registry.HasKey(key.root, key.path))
            continue;
        auto& values = state[key];
        for (const std::string& name : registry.ValueNames(key.root, key.path))
            if (name.find_first_of("\r\n") == std::string::npos) {
                const RegistryValue value = *registry.Get(key.root, key.path, name);
                values[Lower(name)] = {value.type, value.data};
            }
    }
    return state;
}

struct NoActions final : settings::IApplyActions {
    settings::StepResult ConfigureMediaPlayer() override { return settings::DoneStep(OptionKey::MediaPlayerGroup); }
    settings::StepResult RemoveMessenger() override { return settings::DoneStep(OptionKey::MessengerUninstall); }
    settings::StepResult OpenUserManager() override { return settings::DoneStep(OptionKey::RemoveSupportUsers); }
};

// What a done step leaves: the export of the same selection says it (read
// once: it is the same for every input).
void RequireDoneStepsTookEffect(MemoryRegistry& registry, const std::vector<settings::StepResult>& results,
                                const settings::Selection& selection, const OptionLabels& labels)
{
    static const settings::ParsedRegFile effects = [&] {
        RegFile exported;
        settings::ExportSettings(selection, labels, exported);
        return settings::ParseRegFile(exported.Bytes(), Language::Chinese);
    }();
    Require(effects.errorLine == 0, "the export reads");
    for (const settings::StepResult& result : results) {
        Require(result.outcome != settings::StepOutcome::Failed || !settings::FailureLine(result, labels).empty(),
                "a failure says why");
        const RegistryBinding& binding = CatalogueEntryOf(result.key).binding;
        if (result.outcome != settings::StepOutcome::Done || !binding.keyPath)
            continue;
        for (const RegEntry& effect : effects.entries) {
            if (effect.root != binding.root || effect.keyPath != binding.keyPath ||
                (effect.kind != RegEntry::Kind::DeleteKey && effect.name != binding.valueName))
                continue;
            const std::optional<RegistryValue> now = registry.Get(binding.root, binding.keyPath, binding.valueName);
            if (effect.kind == RegEntry::Kind::SetValue)
                Require(now && now->type == effect.type && now->data == effect.data, "a done write holds its data");
            else if (effect.kind == RegEntry::Kind::DeleteValue)
                Require(!now, "a done delete leaves no value");
            else if (effect.kind == RegEntry::Kind::DeleteKey)
                Require(!registry.HasKey(binding.root, binding.keyPath), "a done key deletion leaves no key");
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    FuzzedDataProvider data(bytes, size);
    MemoryRegistry registry;
    Seed(data, registry);
    const State before = Read(registry);

    RegistryOps ops(registry);
    settings::ReadSystemStatus(ops);

    settings::Selection everything = settings::Selection::Expert(false);
    everything.Select(OptionKey::MessengerNoAutostart);
    std::vector<settings::BackupTarget> targets = settings::ApplyTargets(everything);
    for (const settings::BackupTarget& target : settings::RestoreTargets())
        targets.push_back(target);
    RegFile backup;
    std::string error;
    const bool backedUp = settings::AddBackup(registry, targets, backup, error, Language::Chinese);
    Require(backedUp || !error.empty(), "a backup that cannot be taken says why");

    const BuiltinStringTable strings;
    const OptionLabels labels{strings, LanguageBaseOf(Language::Chinese)};
    NoActions actions;
    RequireDoneStepsTookEffect(registry, settings::ApplySettings(ops, everything, false, actions), everything,
                               labels);
    for (const settings::StepResult& result : settings::RestoreDefaults(ops))
        Require(result.outcome != settings::StepOutcome::Failed || result.code != WriteCode::Done, "a failed restore says why");
    Require(registry.OpenKeyCount() == 0, "every key opened is closed again");
    if (!backedUp)
        return 0;

    const settings::ParsedRegFile parsed = settings::ParseRegFile(backup.Bytes(), Language::Chinese);
    Require(parsed.errorLine == 0, "the backup reads");
    Require(settings::CheckRevertable(parsed.entries, error, Language::Chinese) == 0, "the backup is accepted by /revert");
    for (const settings::RevertResult& result : settings::Revert(registry, parsed.entries, Language::Chinese))
        Require(result.done, "every value of the backup goes back");
    Require(Read(registry) == before, "after the revert every value is as before the passes");
    return 0;
}
