// The host's GUID index, from empty, against a plain map under random changes.
#include "model/guid_index.hpp"

#include <gtest/gtest.h>

#include <map>
#include <random>

namespace planhost_test {
namespace {

using planhost::GuidIndex;

// Few distinct GUIDs, so that the same ones come back after removal; the low 32 bits only, so
// that many share a home slot and probes run long and wrap around the table's end.
API_Guid GuidNumber(std::uint32_t n) {
    API_Guid guid{};
    guid.time_low = n;
    return guid;
}

TEST(GuidIndexTest, AgreesWithAMapUnderRandomChanges) {
    for (const std::uint32_t distinct : {3u, 50u, 5000u}) {
        GuidIndex index;
        EXPECT_EQ(index.Find(GuidNumber(0)), GuidIndex::kNone);  // before there is a table
        EXPECT_FALSE(index.Erase(GuidNumber(0)));
        index.Reserve(1);  // the smallest table, as the first Set would make it
        EXPECT_EQ(index.Find(GuidNumber(0)), GuidIndex::kNone);
        std::map<std::uint32_t, std::size_t> expected;  // by GUID number
        std::mt19937 random(distinct);
        for (int step = 0; step < 40000; ++step) {
            const std::uint32_t n = random() % distinct;
            if (random() % 3 == 0) {
                EXPECT_EQ(index.Erase(GuidNumber(n)), expected.erase(n) == 1);
            } else {
                const std::size_t position = random() % 1000;
                index.Set(GuidNumber(n), position);
                expected[n] = position;
            }
        }
        ASSERT_EQ(index.size(), expected.size()) << distinct;
        for (std::uint32_t n = 0; n < distinct; ++n) {
            const auto it = expected.find(n);
            EXPECT_EQ(index.Find(GuidNumber(n)),
                      it == expected.end() ? GuidIndex::kNone : it->second)
                << "GUID " << n << " of " << distinct;
        }
    }
}

}  // namespace
}  // namespace planhost_test
