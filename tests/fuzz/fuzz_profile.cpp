// The profile reader, on any text: a profile that reads is a selection the
// passes can carry out (no group, at most one Messenger choice), and the
// same selection written back one key per line reads the same.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "settings/profile.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(bytes), size);
    const settings::ProfileResult result = settings::ParseProfile(text, Language::Chinese);
    if (result.errorLine != 0) {
        const auto lines = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
        Require(result.errorLine >= 1 && result.errorLine <= lines, "the line of an error is one of the file's");
        Require(!result.error.empty(), "an error says why");
        return 0;
    }
    Require(result.error.empty(), "a profile that reads has no error");

    int messengerChoices = 0;
    std::string written = "# written back\r\n";
    for (const CatalogueEntry& entry : Catalogue()) {
        if (!result.selection[entry.key])
            continue;
        Require(entry.kind != OptionKind::Group, "no group is selected");
        messengerChoices += entry.parent == OptionKey::MessengerGroup;
        written += entry.name;
        written += "\r\n";
    }
    Require(messengerChoices <= 1, "at most one choice of the Messenger group");

    const settings::ProfileResult again = settings::ParseProfile(written, Language::Chinese);
    Require(again.errorLine == 0, "a selection written as a profile reads");
    for (const CatalogueEntry& entry : Catalogue())
        Require(again.selection[entry.key] == result.selection[entry.key], "and reads as the same selection");
    return 0;
}
