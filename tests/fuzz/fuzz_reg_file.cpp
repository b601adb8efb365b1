// The .reg reader behind /revert, on any bytes: REGEDIT4 and version 5.00,
// UTF-16LE, UTF-8 with and without its byte-order mark, hex lists continued
// over lines. A file it reads, written again by the program's own .reg
// writer, reads back as the same entries.
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "settings/reg_file.h"
#include "settings/reg_import.h"
#include "settings/text.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

using settings::RegEntry;

bool IsValidUtf8(std::string_view text) { return Utf16ToUtf8(Utf8ToUtf16(text)) == text; }

// What the writer can hold exactly: UTF-8 throughout (it writes UTF-16LE)
// and no line break in a key or value name.
bool Writable(const RegEntry& entry)
{
    const auto plain = [](std::string_view text) {
        return IsValidUtf8(text) && text.find_first_of("\r\n") == std::string_view::npos;
    };
    const std::string_view data(reinterpret_cast<const char*>(entry.data.data()), entry.data.size());
    return plain(entry.keyPath) && plain(entry.name) && (!IsTextType(entry.type) || IsValidUtf8(data));
}

RegFile Rewritten(const std::vector<RegEntry>& entries)
{
    RegFile file;
    for (const RegEntry& entry : entries) {
        switch (entry.kind) {
        case RegEntry::Kind::Section:
            file.AddKey(entry.root, entry.keyPath);
            break;
        case RegEntry::Kind::DeleteKey:
            file.DeleteKey(entry.root, entry.keyPath);
            break;
        case RegEntry::Kind::SetValue:
            file.SetValue(entry.root, entry.keyPath, entry.name, entry.type, entry.data);
            break;
        case RegEntry::Kind::DeleteValue:
            file.DeleteValue(entry.root, entry.keyPath, entry.name);
            break;
        }
    }
    return file;
}

bool SameValues(const RegEntry& a, const RegEntry& b)
{
    return a.kind == b.kind && a.root == b.root && a.keyPath == b.keyPath && a.name == b.name &&
           (a.kind != RegEntry::Kind::SetValue || (a.type == b.type && a.data == b.data));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    const settings::ParsedRegFile parsed = settings::ParseRegFile({bytes, bytes + size}, Language::Chinese);
    Require(parsed.errorLine >= 0, "an error line is a line number");
    Require((parsed.errorLine == 0) == parsed.error.empty(), "an error comes with its line, and only then");
    if (parsed.errorLine != 0) {
        Require(parsed.entries.empty(), "a file that does not read gives no entries");
        return 0;
    }
    for (const RegEntry& entry : parsed.entries) {
        Require(entry.root != RegistryRoot::None && !entry.keyPath.empty(), "every entry names a key below a root");
        if (!Writable(entry))
            return 0;
    }

    // The writer opens a section for each key it changes, so the sections
    // of the second reading may stand elsewhere: the changes compare in
    // order, the keys with a section as a set.
    const settings::ParsedRegFile again = settings::ParseRegFile(Rewritten(parsed.entries).Bytes(), Language::Chinese);
    Require(again.errorLine == 0, "a file the program writes reads back");
    std::vector<RegEntry> changes;
    std::vector<RegEntry> changesAgain;
    std::set<std::pair<RegistryRoot, std::string>> sections;
    std::set<std::pair<RegistryRoot, std::string>> sectionsAgain;
    for (const RegEntry& entry : parsed.entries) {
        if (entry.kind == RegEntry::Kind::Section)
            sections.emplace(entry.root, entry.keyPath);
        else
            changes.push_back(entry);
    }
    for (const RegEntry& entry : again.entries) {
        if (entry.kind == RegEntry::Kind::Section)
            sectionsAgain.emplace(entry.root, entry.keyPath);
        else
            changesAgain.push_back(entry);
    }
    Require(sections == sectionsAgain, "the rewritten file has a section for the same keys");
    Require(changes.size() == changesAgain.size(), "the rewritten file holds as many changes");
    for (std::size_t i = 0; i < changes.size(); ++i)
        Require(SameValues(changes[i], changesAgain[i]), "each change reads back as it was");
    return 0;
}
