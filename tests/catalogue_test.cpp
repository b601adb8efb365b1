#include <gtest/gtest.h>

#include <set>
#include <string>

#include "platform/memory/builtin_string_table.h"
#include "settings/catalogue.h"
#include "settings/labels.h"

namespace {

TEST(Catalogue, ShapeOfTheOptionList)
{
    int groups = 0, checks = 0, radios = 0, experts = 0;
    std::set<std::string> names;
    OptionKey currentGroup = OptionKey::MediaPlayerGroup;
    for (const CatalogueEntry& entry : Catalogue()) {
        SCOPED_TRACE(entry.name);
        names.insert(entry.name);
        switch (entry.kind) {
        case OptionKind::Group:
            ++groups;
            currentGroup = entry.key;
            EXPECT_EQ(entry.key, entry.parent);
            break;
        case OptionKind::Check: ++checks; break;
        case OptionKind::Radio: ++radios; break;
        }
        // Children follow their group directly, in tree order.
        if (entry.kind != OptionKind::Group) {
            EXPECT_EQ(currentGroup, entry.parent);
        }
        if (entry.initial == InitialState::ExpertLocked)
            ++experts;
    }
    EXPECT_EQ(6, groups);
    EXPECT_EQ(16, checks);
    EXPECT_EQ(3, radios);
    EXPECT_EQ(2, experts);
    EXPECT_EQ(kOptionCount, names.size());
}

TEST(Catalogue, EveryLabelExistsInEveryLanguageAndTheOwnLabelsFollowTheBase)
{
    BuiltinStringTable strings;
    for (const CatalogueEntry& entry : Catalogue()) {
        SCOPED_TRACE(entry.name);
        for (int base : {LanguageBaseOf(Language::German), LanguageBaseOf(Language::Chinese), LanguageBaseOf(Language::English)})
            EXPECT_FALSE(LoadLabel(strings, base, entry.label).empty()) << base;
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
    EXPECT_EQ(26, german);
    EXPECT_EQ("", strings.Load(14));
    EXPECT_EQ("", strings.Load(0));
}

}  // namespace
