#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "platform/builtin/builtin_string_table.h"
#include "settings/catalogue.h"
#include "settings/labels.h"

namespace {

TEST(Catalogue, ShapeOfTheOptionList)
{
    std::set<std::string> names;
    OptionKey currentGroup = OptionKey::MediaPlayerGroup;
    int radiosChosen = 0;
    for (const CatalogueEntry& entry : Catalogue()) {
        SCOPED_TRACE(entry.name);
        names.insert(entry.name);
        if (entry.kind == OptionKind::Group) {
            currentGroup = entry.key;
            EXPECT_EQ(entry.key, entry.parent);
            EXPECT_EQ(InitialState::Expanded, entry.initial);
            continue;
        }
        // Children follow their group directly, in tree order.
        EXPECT_EQ(currentGroup, entry.parent);
        if (entry.kind == OptionKind::Radio)
            radiosChosen += entry.initial == InitialState::Selected;
        else
            EXPECT_TRUE(entry.initial == InitialState::Checked || IsExpertOption(entry));
    }
    EXPECT_EQ(1, radiosChosen) << "one radio of the Messenger group is chosen";
    EXPECT_EQ(kOptionCount, names.size());
}

TEST(Catalogue, EveryLabelExistsInEveryLanguageAndTheOwnLabelsFollowTheBase)
{
    BuiltinStringTable strings;
    for (const CatalogueEntry& entry : Catalogue()) {
        SCOPED_TRACE(entry.name);
        for (const LanguageRow& language : kLanguages)
            EXPECT_FALSE(LoadLabel(strings, language.base, entry.label).empty()) << language.tag;
    }
    const OptionLabel misc = CatalogueEntryOf(OptionKey::MiscGroup).label;
    EXPECT_EQ("Diverse", LoadLabel(strings, 1, misc));
    EXPECT_EQ("Miscellaneous", LoadLabel(strings, LanguageBaseOf(Language::English), misc));
    EXPECT_EQ("雜項" + std::string(9, ' '), LoadLabel(strings, 60, misc));
    EXPECT_EQ("雜項" + std::string(9, ' '), LoadLabel(strings, 0, misc)) << "any other base is Chinese";
}

TEST(StringTable, ChineseRowsMirrorTheGermanOnes)
{
    // Each Chinese row stands 59 ids after its German row (60 for the
    // buttons), each English row 119 (120).
    std::size_t count = 0;
    const StringRow* rows = BuiltinStringRows(count);
    BuiltinStringTable strings;
    int german = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (rows[i].id >= 60)
            continue;
        ++german;
        const unsigned shift = rows[i].id >= 50 ? 60 : 59;
        EXPECT_FALSE(strings.Load(rows[i].id + shift).empty()) << rows[i].id;
        EXPECT_FALSE(strings.Load(rows[i].id + shift + 60).empty()) << rows[i].id;
    }
    // A row for each label of the catalogue that has one, and three buttons.
    const auto labelled = std::count_if(Catalogue().begin(), Catalogue().end(),
                                        [](const CatalogueEntry& entry) { return entry.label.offset >= 0; });
    EXPECT_EQ(labelled + 3, german);
    EXPECT_EQ("", strings.Load(14));
    EXPECT_EQ("", strings.Load(0));
}

}  // namespace
