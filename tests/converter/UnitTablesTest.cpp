#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "converter/Categories.h"
#include "converter/FactorTables.h"

namespace sumwise {
namespace {

const int kTableCategories[] = {kCategoryArea, kCategoryCapacity, kCategoryLength, kCategoryVolume,
                                kCategoryWeight};

TEST(UnitTables, EveryTableIsCompleteForItsUnitList) {
    for (int category : kTableCategories) {
        const FactorTable* table = FactorsOf(category);
        ASSERT_NE(table, nullptr) << category;
        const int n = static_cast<int>(UnitNames(category).size());
        EXPECT_EQ(table->units, n) << category;
        EXPECT_EQ(table->factors.size(), static_cast<size_t>(n * n)) << category;
        EXPECT_LE(n, 9) << "unit indexes must stay one digit";
    }
    EXPECT_EQ(UnitNames(kCategoryBytes).size(), ByteScales().size() + 1);
    EXPECT_TRUE(UnitNames(kCategoryTemperature).empty());
    EXPECT_EQ(FactorsOf(kCategoryBytes), nullptr);
    EXPECT_EQ(FactorsOf(kCategoryTemperature), nullptr);
}

// A factor in the wrong cell is off by orders of magnitude; the factors in use are a little
// off the exact relations, never by more than a few parts in ten thousand.
TEST(UnitTables, FactorsAgreeAlongEveryChain) {
    for (int category : kTableCategories) {
        const FactorTable& table = *FactorsOf(category);
        auto at = [&](int i, int j) { return LookUpFactor(table, PairKey(i, j)).value(); };
        for (int i = 0; i < table.units; ++i) {
            EXPECT_EQ(at(i, i), 1.0f) << category << " unit " << i;
            for (int j = 0; j < table.units; ++j) {
                for (int k = 0; k < table.units; ++k) {
                    const double chain = double(at(i, j)) * at(j, k) / at(i, k);
                    EXPECT_NEAR(chain, 1.0, 1e-3) << category << ": " << i << j << k;
                }
            }
        }
    }
}

TEST(UnitTables, KeysAndLookUp) {
    EXPECT_EQ(PairKey(0, 4), "04");
    EXPECT_EQ(PairKey(1, 0), "10");
    EXPECT_EQ(LookUpFactor(LengthFactors(), "30"), 63360.0f);
    EXPECT_EQ(LookUpFactor(LengthFactors(), "01"), static_cast<float>(1.0 / 12));
    EXPECT_EQ(LookUpFactor(CapacityFactors(), "30"), static_cast<float>(1.0 / 0.56826125));
    EXPECT_EQ(LookUpFactor(AreaFactors(), "30"), 4014459600.0f);
    EXPECT_EQ(LookUpFactor(LengthFactors(), "08"), std::nullopt);
    EXPECT_EQ(LookUpFactor(LengthFactors(), "-10"), std::nullopt);
}

TEST(UnitTables, NamesAsShown) {
    ASSERT_EQ(CategoryNames().size(), 7u);
    EXPECT_EQ(CategoryNames()[kCategoryTemperature], "Temperature");
    EXPECT_EQ(UnitNames(kCategoryWeight)[5], "Kilgrams");
    EXPECT_EQ(UnitNames(kCategoryLength)[4], "Millimeters");
    EXPECT_EQ(UnitNames(kCategoryArea)[4], "Sq Centimetres");
    EXPECT_EQ(UnitNames(kCategoryWeight)[6], "Ton (Metric)");
}

TEST(Bytes, ScalesArePowersOf1024ToFifteenDigits) {
    const auto f = ByteScales();
    ASSERT_EQ(f.size(), 8u);
    EXPECT_EQ(f[0], 1024.0);
    EXPECT_EQ(f[3], 1099511627776.0);
    EXPECT_EQ(f[4], 1125899906842620.0);
    EXPECT_EQ(f[7], 1.20892581961463E+24);
    EXPECT_EQ(ScaleBytes(1, "01"), 1.0 / 1024);
    EXPECT_EQ(ScaleBytes(1, "83"), 1125899906842620.0);
    EXPECT_EQ(ScaleBytes(1, "08"), 1 / 1.20892581961463E+24);
    EXPECT_EQ(ScaleBytes(7, "44"), 7.0);
    EXPECT_EQ(ScaleBytes(1, "09"), std::nullopt);
}

} // namespace
} // namespace sumwise
