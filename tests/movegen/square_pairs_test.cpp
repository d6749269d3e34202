#include "movegen/square_pairs.h"

#include <gtest/gtest.h>

#include "support/eval_support.h"

namespace {

TEST(SquarePairs, BetweenAndLineExclusionExamples) {
    constexpr Bitboard ALL = ~0ULL;
    const struct {
        const char *from, *to, *between, *excluded;
    } cases[] = {
        {"a1", "h8", "b2 c3 d4 e5 f6 g7", ""},
        {"d4", "e5", "", "c3 f6"},
        {"a1", "b3", "", ""},
        {"a1", "a1", "", ""},
        {"a1", "h1", "b1 c1 d1 e1 f1 g1", ""},
        {"e2", "e7", "e3 e4 e5 e6", "e1 e8"},
    };
    for (const auto& c : cases) {
        const int a = lowest_square(squares(c.from)), b = lowest_square(squares(c.to));
        for (auto [x, y] : {std::pair{a, b}, std::pair{b, a}}) {
            EXPECT_EQ(between[x][y], squares(c.between)) << c.from << c.to;
            EXPECT_EQ(line_exclusion[x][y], ALL & ~squares(c.excluded)) << c.from << c.to;
        }
    }
}

}  // namespace
