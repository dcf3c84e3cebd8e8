#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace sumwise {

// One cell of a factor table: a single-precision number, or 1/n worked out in double and
// rounded once to single (so 1/12 is as close as a float gets, not 1/12 of a float 12).
struct Factor {
    float value = 0;
    double divisor = 0; // non-zero: the factor is 1 / divisor

    constexpr Factor(float v) : value(v) {}
    static constexpr Factor Reciprocal(double n) {
        Factor f(0.0f);
        f.divisor = n;
        return f;
    }
    float Single() const { return divisor != 0 ? static_cast<float>(1.0 / divisor) : value; }
};

// An n-by-n table, row = from-unit, column = to-unit, row by row.
struct FactorTable {
    int units = 0;
    std::span<const Factor> factors;
};

const FactorTable& LengthFactors();
const FactorTable& AreaFactors();
const FactorTable& WeightFactors();
const FactorTable& CapacityFactors();
const FactorTable& VolumeFactors();

// The table of a single-precision category; nullptr for Bytes, Temperature and others.
const FactorTable* FactorsOf(int category);

// The factor of a pair key ("30" is row 3, column 0); nullopt for a key outside the table.
std::optional<float> LookUpFactor(const FactorTable& table, std::string_view key);

// F(k): 1024 to the power k written to 15 significant digits, for k from 1 to 8.
std::span<const double> ByteScales();

// A data size moved from unit i to unit j of the pair key: divided by F(j - i) going to a
// larger unit, multiplied by F(i - j) going to a smaller one, unchanged for i = j. nullopt
// for a key outside the nine units.
std::optional<double> ScaleBytes(double value, std::string_view key);

} // namespace sumwise
