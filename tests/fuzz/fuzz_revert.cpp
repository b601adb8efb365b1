// The acceptance check of /revert and the import it lets through, on any
// bytes read as a .reg file: whatever is accepted is carried out entry by
// entry on a registry that has every key of the options, and each result
// says what the registry then holds.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/memory/memory_registry.h"
#include "settings/catalogue.h"
#include "settings/reg_import.h"
#include "settings/revert.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

using settings::RegEntry;

void PutOptionKeys(MemoryRegistry& registry)
{
    for (const CatalogueEntry& entry : Catalogue())
        if (entry.binding.keyPath)
            registry.PutText(entry.binding.root, entry.binding.keyPath, entry.binding.valueName, "before");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    const settings::ParsedRegFile parsed = settings::ParseRegFile({bytes, bytes + size}, Language::Chinese);
    if (parsed.errorLine != 0)
        return 0;
    std::string error;
    const int refused = settings::CheckRevertable(parsed.entries, error, Language::Chinese);
    Require(refused >= 0, "a refusal names a line");
    Require((refused == 0) == error.empty(), "a refusal says why, and only a refusal");
    if (refused != 0)
        return 0;

    MemoryRegistry registry;
    PutOptionKeys(registry);
    for (const RegEntry& entry : parsed.entries) {
        Require(entry.kind != RegEntry::Kind::DeleteKey, "no accepted file deletes a key");
        const std::vector<settings::RevertResult> results = settings::Revert(registry, {entry}, Language::Chinese);
        Require(results.size() == (entry.kind == RegEntry::Kind::Section ? 0u : 1u), "one result per value");
        if (results.empty())
            continue;
        const settings::RevertResult& result = results.front();
        const std::optional<RegistryValue> now = registry.Get(entry.root, entry.keyPath, entry.name);
        if (result.outcome == "restored")
            Require(result.done && now && now->type == entry.type && now->data == entry.data,
                    "a restored value holds the file's type and data");
        else if (result.outcome == "deleted" || result.outcome == "already absent")
            Require(result.done && !now, "a deleted value is gone");
        else
            Require(!result.done && result.outcome.rfind("failed: ", 0) == 0, "anything else is a failure");
        Require(registry.OpenKeyCount() == 0, "every key opened is closed again");
    }
    return 0;
}
