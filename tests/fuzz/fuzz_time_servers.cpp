// The time server dialog over a list key of any values: names, types and
// lengths of any kind, with or without a default value, or no key at all.
// A user picks, adds and applies as the input says. Each Apply stores the
// chosen server under a number that is its own: a listed server's number
// holds its address already, an added server's number was held by no value
// and is never given twice; every other value of the key stays as it was.
#include <cstddef>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "actions/time_server_dlg.h"
#include "platform/memory/memory_dialog_host.h"
#include "platform/memory/memory_prompt.h"
#include "platform/memory/memory_registry.h"
#include "res/resource.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

constexpr RegistryRoot HKLM = RegistryRoot::LocalMachine;
constexpr const char* kServers = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\DateTime\\Servers";

// A value name: mostly a number, as Windows names its servers, sometimes
// anything at all.
std::string FuzzedName(FuzzedDataProvider& data)
{
    switch (data.ConsumeIntegralInRange(0, 3)) {
    case 0:
        return {};
    case 1:
        return std::to_string(data.ConsumeIntegralInRange(0, 12));
    case 2:
        return std::to_string(data.ConsumeIntegral<std::uint32_t>()) + std::string(data.ConsumeIntegralInRange(0, 2), '0');
    default:
        return WithoutZeros(FuzzedText(data, 140));
    }
}

// The key's values by their lower-case name, as the registry tells names apart.
std::map<std::string, RegistryValue> Snapshot(MemoryRegistry& registry, const std::vector<std::string>& names)
{
    std::map<std::string, RegistryValue> values;
    for (const std::string& name : names)
        if (const std::optional<RegistryValue> value = registry.Get(HKLM, kServers, name))
            values[name] = *value;
    return values;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    FuzzedDataProvider data(bytes, size);
    MemoryRegistry registry;
    registry.CreateKey(HKLM, "SYSTEM\\CurrentControlSet\\Services\\W32Time\\Parameters");
    std::vector<std::string> names;
    if (data.ConsumeBool()) {
        registry.CreateKey(HKLM, kServers);
        const int count = data.ConsumeIntegralInRange(0, 12);
        for (int i = 0; i < count; ++i) {
            names.push_back(FuzzedName(data));
            const RegistryValue value = FuzzedValue(data);
            registry.Put(HKLM, kServers, names.back(), value.type, value.data);
        }
    }
    const std::map<std::string, RegistryValue> before = Snapshot(registry, names);

    MemoryDialogHost dialogs;
    MemoryPrompt prompt;
    prompt.SetDefaultAnswer(kAnswerYes);
    std::set<std::string> added;  // the numbers the added servers were stored under
    dialogs.WhileModal([&](MemoryDialogHost::User& user) {
        const std::size_t listed = user.Shown().lists.count(IDC_TIME_SERVERS)
                                       ? user.Shown().lists.at(IDC_TIME_SERVERS).size()
                                       : 0;
        std::set<std::size_t> appliedAdded;  // positions of the added servers applied so far
        for (int step = 0; step < 8 && data.remaining_bytes() > 0; ++step) {
            if (data.ConsumeBool()) {
                user.Type(IDC_TIME_ADDRESS, WithoutZeros(FuzzedText(data, 140)));
                user.Press(IDC_TIME_ADD);
                continue;
            }
            const auto entries = user.Shown().lists.count(IDC_TIME_SERVERS)
                                     ? user.Shown().lists.at(IDC_TIME_SERVERS)
                                     : std::vector<std::string>{};
            if (entries.empty())
                continue;
            const auto position = data.ConsumeIntegralInRange<std::size_t>(0, entries.size() - 1);
            user.Pick(IDC_TIME_SERVERS, static_cast<int>(position));
            user.Press(IDC_TIME_APPLY);
            if (!registry.HasKey(HKLM, kServers))
                continue;
            const std::optional<RegistryValue> current = registry.Get(HKLM, kServers, "");
            Require(current && current->type == kRegSz, "Apply names the current server");
            const std::string number(BytesAsText(current->data));
            const std::optional<RegistryValue> stored = registry.Get(HKLM, kServers, number);
            Require(stored && BytesAsText(stored->data) == entries[position], "its number holds its address");
            if (position < listed) {
                const auto read = before.find(number);
                Require(read != before.end() && BytesAsText(read->second.data) == entries[position],
                        "a listed server is stored under the number it was read from");
            } else if (appliedAdded.insert(position).second) {
                Require(!before.count(number), "an added server takes a number no value held");
                Require(added.insert(number).second, "no two added servers share a number");
            }
        }
        return kIdOk;
    });
    CTimeServerDlg(dialogs, registry, prompt, Language::Chinese).DoModal();

    // Every value but the default one is as it was, or holds the same
    // address rewritten by an Apply.
    for (const auto& [name, value] : before) {
        const std::optional<RegistryValue> now = registry.Get(HKLM, kServers, name);
        Require(now.has_value(), "no value of the list is lost");
        if (name.empty() || (now->type == value.type && now->data == value.data))
            continue;
        // Rewritten with the same address: a listed server applied again.
        Require(IsTextType(value.type) && BytesAsText(now->data) == BytesAsText(value.data),
                "a value changes only as the server it holds is applied");
    }
    Require(registry.OpenKeyCount() == 0, "every key opened is closed again");
    return 0;
}
