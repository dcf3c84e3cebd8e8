#include "converter/FactorTables.h"

#include "converter/Categories.h"

namespace sumwise {

namespace {

constexpr Factor R(double n) {
    return Factor::Reciprocal(n);
}

// Inches, Feet, Yards, Miles, Millimeters, Centimeters, Meters, Kilometers
// One row per from-unit.
// clang-format off
constexpr Factor kLength[] = {
    1.0f, R(12), R(36), R(63360), 25.4f, 2.54f, 0.0254f, 0.0000254f,
    12.0f, 1.0f, R(3), R(5280), 304.8f, 30.48f, 0.3048f, 0.0003048f,
    36.0f, 3.0f, 1.0f, R(1760), 914.4f, 91.44f, 0.9144f, 0.0009144f,
    63360.0f, 5280.0f, 1760.0f, 1.0f, 1609344.0f, 160934.4f, 1609.344f, 1.609344f,
    0.03937f, 0.003280833f, 0.001093611f, 6.2137E-07f, 1.0f, 0.1f, 0.001f, 0.000001f,
    0.3937f, 0.03280833f, 0.01093611f, 0.0000062137f, 10.0f, 1.0f, 0.01f, 0.00001f,
    39.37f, 3.280833f, 1.093611f, 0.00062137f, 1000.0f, 100.0f, 1.0f, 0.001f,
    39370.0f, 3280.833f, 1093.611f, 0.62137f, 1000000.0f, 100000.0f, 1000.0f, 1.0f,
};

// Sq Inches, Sq Feet, Sq Yards, Sq Miles, Sq Centimetres, Sq Meters, Sq Kilometres, Acres,
// Hectares. Sq Miles to Sq Inches (4014459600), Acres to Sq Yards (4840.027) and Sq Miles to
// Hectares (259.00446) are the factors in use, not the exact relations.
constexpr Factor kArea[] = {
    1.0f, 0.006944516f, 0.0007716064f, 2.491E-10f, 6.451613f, 0.0006451612f, 6.452E-10f, 1.594E-07f, 6.45E-08f,
    144.0f, 1.0f, 0.11111111f, 3.587006E-08f, 929.0313f, 0.09290313f, 9.290304E-08f, 0.0000229567f, 0.0000092903f,
    1296.0f, 9.0f, 1.0f, 3.228305E-07f, 8361.273f, 0.8361274f, 8.361273E-07f, 0.0002066104f, 0.0000836127f,
    4014459600.0f, 27878400.0f, 3097600.0f, 1.0f, 25899880000.0f, 2589988.0f, 2.589988f, 640.0f, 259.00446f,
    0.155f, 0.00107639f, 0.000119599f, 3.861E-11f, 1.0f, 0.0001f, 1E-10f, 2.47104E-08f, 1E-08f,
    1550.0f, 10.7639f, 1.19599f, 3.8610216E-07f, 10000.0f, 1.0f, 0.000001f, 0.000247104f, 0.0001f,
    1550003100.0f, 10763910.0f, 1195990.0f, 0.38610217f, 10000000000.0f, 1000000.0f, 1.0f, 247.10538f, 100.0f,
    6272662.5f, 43560.0f, 4840.027f, 0.0015625f, 40468790.0f, 4046.8792f, 0.0040468564f, 1.0f, 0.4046879f,
    15500000.0f, 107639.0f, 11960.0f, 0.0038609374f, 100000000.0f, 10000.0f, 0.01f, 2.47104f, 1.0f,
};

// Ounces, Pounds, Stones, Tons (long), Grams, Kilgrams, Ton (Metric)
constexpr Factor kWeight[] = {
    1.0f, 0.0625f, 0.004464286f, 0.000027901786f, 28.349524f, 0.028349523f, 0.000028349517f,
    16.0f, 1.0f, R(14), 0.00044642857f, 453.59238f, 0.45359236f, 0.00045359237f,
    224.0f, 14.0f, 1.0f, 0.00625f, 6350.293f, 6.350293f, 0.0063502914f,
    35840.0f, 2240.0f, 160.0f, 1.0f, 1016046.94f, 1016.04694f, 1.0160468f,
    0.03527396f, 0.0022046226f, 0.00015747304f, 9.84206E-07f, 1.0f, 0.001f, 0.000001f,
    35.27396f, 2.2046225f, 0.15747304f, 0.0009842066f, 1000.0f, 1.0f, 0.001f,
    35273.97f, 2204.623f, 157.47307f, 0.9842067f, 1000000.0f, 1000.0f, 1.0f,
};

// Pints, Gallons, Millilitres, Litres (imperial pints and gallons)
constexpr Factor kCapacity[] = {
    1.0f, 0.125f, 568.2612f, 0.56826127f,
    8.0f, 1.0f, 4546.0f, 4.546f,
    0.001759f, 0.0002199f, 1.0f, 0.001f,
    R(0.56826125), 0.2199f, 1000.0f, 1.0f,
};

// Cu Inches, Cu Feet, Cu Yards, Cu Centimetres, Cu Metres
constexpr Factor kVolume[] = {
    1.0f, 0.0005787037f, 0.00002143347f, 16.387064f, 0.000016387065f,
    1728.0f, 1.0f, 0.037037037f, 28316.846f, 0.028316846f,
    46656.0f, 27.0f, 1.0f, 764554.9f, 0.76455486f,
    0.061023746f, 0.000035314664f, 0.00000130795f, 1.0f, 0.000001f,
    61023.742f, 35.314667f, 1.3079506f, 1000000.0f, 1.0f,
};

// clang-format on

const FactorTable kLengthTable{8, kLength};
const FactorTable kAreaTable{9, kArea};
const FactorTable kWeightTable{7, kWeight};
const FactorTable kCapacityTable{4, kCapacity};
const FactorTable kVolumeTable{5, kVolume};

// F(5) is 1125899906842620, not 1024^5: the 15-digit text, not the power.
constexpr double kByteScales[] = {
    1024,
    1048576,
    1073741824,
    1099511627776,
    1125899906842620,
    1.15292150460685E+18,
    1.18059162071741E+21,
    1.20892581961463E+24,
};

constexpr int kByteUnits = 9;

// The two unit indexes of a pair key; false unless both are digits below the unit count.
bool KeyIndexes(std::string_view key, int units, int& from, int& to) {
    if (key.size() != 2 || key[0] < '0' || key[0] > '9' || key[1] < '0' || key[1] > '9') {
        return false;
    }
    from = key[0] - '0';
    to = key[1] - '0';
    return from < units && to < units;
}

} // namespace

const FactorTable& LengthFactors() {
    return kLengthTable;
}
const FactorTable& AreaFactors() {
    return kAreaTable;
}
const FactorTable& WeightFactors() {
    return kWeightTable;
}
const FactorTable& CapacityFactors() {
    return kCapacityTable;
}
const FactorTable& VolumeFactors() {
    return kVolumeTable;
}

const FactorTable* FactorsOf(int category) {
    switch (category) {
    case kCategoryArea:
        return &kAreaTable;
    case kCategoryCapacity:
        return &kCapacityTable;
    case kCategoryLength:
        return &kLengthTable;
    case kCategoryVolume:
        return &kVolumeTable;
    case kCategoryWeight:
        return &kWeightTable;
    default:
        return nullptr;
    }
}

std::optional<float> LookUpFactor(const FactorTable& table, std::string_view key) {
    int from = 0;
    int to = 0;
    if (!KeyIndexes(key, table.units, from, to)) {
        return std::nullopt;
    }
    const size_t cell = static_cast<size_t>(from * table.units + to);
    if (cell >= table.factors.size()) {
        return std::nullopt;
    }
    return table.factors[cell].Single();
}

std::span<const double> ByteScales() {
    return kByteScales;
}

std::optional<double> ScaleBytes(double value, std::string_view key) {
    int from = 0;
    int to = 0;
    if (!KeyIndexes(key, kByteUnits, from, to)) {
        return std::nullopt;
    }
    if (from < to) {
        return value / kByteScales[to - from - 1];
    }
    if (from > to) {
        return value * kByteScales[from - to - 1];
    }
    return value;
}

} // namespace sumwise
