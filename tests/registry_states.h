// Registry states for the tests of backups: many generated states as
// administrators and other programs leave the options' keys, and snapshots
// of those keys through the port, to compare two registries or one before
// and after.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "platform/memory/memory_registry.h"
#include "settings/catalogue.h"

namespace registry_states {

using K = OptionKey;
constexpr RegistryRoot HKCU = RegistryRoot::CurrentUser;
constexpr RegistryRoot HKLM = RegistryRoot::LocalMachine;
constexpr const char* kAlexa =
    "SOFTWARE\\Microsoft\\Internet Explorer\\Extensions\\{c95fe080-8f5d-11d2-a20b-00aa003c157a}";

// Every key behind an option, each once.
inline std::set<std::pair<RegistryRoot, std::string>> OptionKeys()
{
    std::set<std::pair<RegistryRoot, std::string>> keys;
    for (const CatalogueEntry& entry : Catalogue())
        if (entry.binding.keyPath)
            keys.insert({entry.binding.root, entry.binding.keyPath});
    return keys;
}

// The keys behind the options and every value in them, through the port.
using Snapshot = std::map<std::string, std::map<std::string, std::pair<std::uint32_t, std::vector<std::uint8_t>>>>;
inline Snapshot Take(IRegistry& registry)
{
    Snapshot snapshot;
    for (const auto& [root, path] : OptionKeys()) {
        const ScopedRegKey key(registry, root, path, kKeyRead);
        if (!key)
            continue;
        auto& values = snapshot[std::to_string(static_cast<int>(root)) + path];
        std::string name;
        for (std::uint32_t i = 0; registry.ValueName(key.Get(), i, name); ++i) {
            RegistryValue value;
            EXPECT_TRUE(registry.QueryValue(key.Get(), name, 0x7FFFFFFF, value)) << name;
            values[name] = {value.type, value.data};
        }
    }
    return snapshot;
}

// The keys and values in which two snapshots differ, one per line.
inline std::string Differences(const Snapshot& a, const Snapshot& b)
{
    std::string text;
    std::set<std::string> keys;
    for (const auto* snapshot : {&a, &b})
        for (const auto& entry : *snapshot)
            keys.insert(entry.first);
    for (const std::string& key : keys) {
        const auto inA = a.find(key);
        const auto inB = b.find(key);
        if (inA == a.end() || inB == b.end()) {
            text += key + (inA == a.end() ? ": key only after\n" : ": key only before\n");
            continue;
        }
        std::set<std::string> names;
        for (const auto* values : {&inA->second, &inB->second})
            for (const auto& value : *values)
                names.insert(value.first);
        for (const std::string& name : names) {
            const auto va = inA->second.find(name);
            const auto vb = inB->second.find(name);
            if (va == inA->second.end() || vb == inB->second.end() || va->second != vb->second)
                text += key + " \"" + name + "\": " + (va == inA->second.end() ? "only after" : vb == inB->second.end() ? "only before" : "differs") + "\n";
        }
    }
    return text;
}

// Registry states as administrators and other programs leave them.
class StateMaker {
public:
    explicit StateMaker(unsigned seed) : m_random(seed) {}

    void Make(MemoryRegistry& registry)
    {
        for (const auto& [root, path] : OptionKeys())
            registry.CreateKey(root, path);
        for (const CatalogueEntry& entry : Catalogue()) {
            const RegistryBinding& b = entry.binding;
            if (b.keyPath && entry.key != K::RemoveAlexaEntry)
                PutValue(registry, b.root, b.keyPath, b.valueName, b.type);
        }
        registry.RemoveTree(HKLM, kAlexa);
        for (int values = Pick(6) - 1, i = 0; i < values; ++i) {  // -1: no Alexa key at all
            const std::uint32_t type = OddType();
            registry.Put(HKLM, kAlexa, i == 0 ? "" : Name(), type, DataOf(type, Pick(40)));
        }
        if (Pick(3) == 0)
            registry.PutText(HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Other", "other.exe");
        // Now and then a key is not there at all.
        for (const auto& [root, path] : OptionKeys())
            if (Pick(10) == 0)
                registry.RemoveTree(root, path);
    }

private:
    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(m_random); }

    std::string Text(int length)
    {
        static const char* const kPieces[] = {"a", "Z", "7", " ", "\\", "\"", "時", "間", "é", "=", ";", "[", "\r\n"};
        std::string text;
        for (int i = 0; i < length; ++i)
            text += kPieces[Pick(static_cast<int>(std::size(kPieces)))];
        return text;
    }
    // A value name: anything but a line break, which no .reg file can hold.
    std::string Name()
    {
        std::string name = Text(8);
        for (std::size_t at; (at = name.find("\r\n")) != std::string::npos;)
            name.replace(at, 2, "x");
        return name;
    }
    std::vector<std::uint8_t> Bytes(int length)
    {
        std::vector<std::uint8_t> bytes;
        for (int i = 0; i < length; ++i)
            bytes.push_back(static_cast<std::uint8_t>(Pick(256)));
        return bytes;
    }
    std::uint32_t OddType()
    {
        static const std::uint32_t kTypes[] = {kRegNone, kRegSz, kRegExpandSz, kRegBinary, kRegDword, 5, kRegMultiSz, 11, 0x1234};
        return kTypes[Pick(static_cast<int>(std::size(kTypes)))];
    }
    // Data of `type`: texts as the port carries them, with zeros where they fall.
    std::vector<std::uint8_t> DataOf(std::uint32_t type, int length)
    {
        if (!IsTextType(type))
            return Bytes(length);
        std::vector<std::uint8_t> data = TextBytes(Text(length));
        if (type == kRegMultiSz)
            data.push_back(0);
        if (Pick(4) == 0)
            data.pop_back();  // a text stored without its zero
        return data;
    }

    void PutValue(MemoryRegistry& registry, RegistryRoot root, const char* path, const char* name, std::uint32_t type)
    {
        switch (Pick(7)) {
        case 0:
            return;  // absent
        case 1:  // its usual type, with a value Windows knows
            registry.Put(root, path, name, type,
                         type == kRegDword ? DwordBytes(static_cast<std::uint32_t>(Pick(5)))
                         : type == kRegSz  ? TextBytes("Ntp")
                                           : std::vector<std::uint8_t>{1});
            return;
        case 2:  // its usual type, other data
            registry.Put(root, path, name, type, type == kRegDword ? Bytes(4) : DataOf(type, 1 + Pick(20)));
            return;
        case 3: {  // an odd type
            const std::uint32_t odd = OddType();
            registry.Put(root, path, name, odd, DataOf(odd, Pick(30)));
            return;
        }
        case 4:
            registry.Put(root, path, name, type, {});
            return;
        case 5:  // longer than any buffer of the program
            registry.Put(root, path, name, type, DataOf(type, 300));
            return;
        default: {
            const std::uint32_t odd = OddType();
            registry.Put(root, path, name, odd, DataOf(odd, Pick(8)));
        }
        }
    }

    std::mt19937 m_random;
};

// Copies the options' keys that `from` has, with every value in them, into `to`.
inline void CopyOptionKeys(IRegistry& from, IRegistry& to)
{
    for (const auto& [root, path] : OptionKeys()) {
        const ScopedRegKey source(from, root, path, kKeyRead);
        RegKey target = nullptr;
        if (!source || !to.CreateKey(root, path, kKeyAllAccess, target))
            continue;
        std::string name;
        for (std::uint32_t i = 0; from.ValueName(source.Get(), i, name); ++i) {
            RegistryValue value;
            EXPECT_TRUE(from.QueryValue(source.Get(), name, 0x7FFFFFFF, value));
            EXPECT_TRUE(to.SetValue(target, name, value.type, value.data.data(),
                                    static_cast<std::uint32_t>(value.data.size())));
        }
        to.CloseKey(target);
    }
}

}  // namespace registry_states
