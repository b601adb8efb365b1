// The string table built into the executable holds exactly the texts the
// portable code knows, so labels read the same on Windows as in the tests.
#include <gtest/gtest.h>

#include "platform/builtin/builtin_string_table.h"
#include "platform/win32/resource_string_table.h"

namespace {

TEST(ResourceStringTable, MatchesTheBuiltInRows)
{
    ResourceStringTable resources(GetModuleHandleW(nullptr));
    std::size_t count = 0;
    const StringRow* rows = BuiltinStringRows(count);
    ASSERT_GT(count, 0u);
    for (std::size_t i = 0; i < count; ++i)
        EXPECT_EQ(rows[i].text, resources.Load(rows[i].id)) << "string " << rows[i].id;
    EXPECT_EQ("", resources.Load(14));
    EXPECT_EQ("", resources.Load(999));
}

}  // namespace
