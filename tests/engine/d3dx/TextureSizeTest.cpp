#include "engine/d3dx/TextureSize.h"

#include <gtest/gtest.h>

namespace {

using d3dx::TextureSizeRules;

TEST(TextureSize, RoundsAndCutsAsTheCapsDemand) {
    TextureSizeRules none;
    TextureSizeRules pow2;
    pow2.powerOfTwo = true;
    TextureSizeRules conditional = pow2;
    conditional.nonPowerOfTwoConditional = true;
    TextureSizeRules square;
    square.squareOnly = true;
    TextureSizeRules pow2Square = pow2;
    pow2Square.squareOnly = true;
    TextureSizeRules small = pow2;
    small.maxWidth = 256;
    small.maxHeight = 128;
    struct Case {
        const char* name;
        TextureSizeRules rules;
        unsigned width, height, levels;
        unsigned wantWidth, wantHeight;
    };
    const Case cases[] = {
        {"no rules keep the size", none, 300, 17, 0, 300, 17},
        {"powers of two round up", pow2, 300, 17, 1, 512, 32},
        {"powers of two stay", pow2, 256, 1, 0, 256, 1},
        {"conditional: one level may keep its size", conditional, 300, 17, 1, 300, 17},
        {"conditional: a mip chain rounds up", conditional, 300, 17, 0, 512, 32},
        {"conditional: two levels round up", conditional, 300, 17, 2, 512, 32},
        {"square only takes the larger side", square, 300, 17, 1, 300, 300},
        {"square after rounding", pow2Square, 300, 17, 1, 512, 512},
        {"the maximum cuts after rounding", small, 300, 100, 1, 256, 128},
    };
    for (const Case& c : cases) {
        unsigned w = c.width, h = c.height;
        d3dx::fitTextureSize(c.rules, w, h, c.levels);
        EXPECT_EQ(w, c.wantWidth) << c.name;
        EXPECT_EQ(h, c.wantHeight) << c.name;
    }
}

} // namespace
