#include "converter/Categories.h"

#include <array>

namespace sumwise {

namespace {

constexpr std::array<std::string_view, kCategoryCount> kCategories = {
    "Area", "Bytes", "Capacity", "Length", "Temperature", "Volume", "Weight",
};

constexpr std::string_view kArea[] = {
    "Sq Inches", "Sq Feet",       "Sq Yards", "Sq Miles", "Sq Centimetres",
    "Sq Meters", "Sq Kilometres", "Acres",    "Hectares",
};
constexpr std::string_view kBytes[] = {
    "Bytes",     "Kilobytes", "Megabytes",  "Gigabytes",  "Terabytes",
    "Petabytes", "Exabytes",  "Zettabytes", "Yottabytes",
};
constexpr std::string_view kCapacity[] = {"Pints", "Gallons", "Millilitres", "Litres"};
constexpr std::string_view kLength[] = {
    "Inches", "Feet", "Yards", "Miles", "Millimeters", "Centimeters", "Meters", "Kilometers",
};
constexpr std::string_view kVolume[] = {
    "Cu Inches", "Cu Feet", "Cu Yards", "Cu Centimetres", "Cu Metres",
};
constexpr std::string_view kWeight[] = {
    "Ounces", "Pounds", "Stones", "Tons", "Grams", "Kilgrams", "Ton (Metric)",
};

} // namespace

std::span<const std::string_view> CategoryNames() {
    return kCategories;
}

std::span<const std::string_view> UnitNames(int category) {
    switch (category) {
    case kCategoryArea:
        return kArea;
    case kCategoryBytes:
        return kBytes;
    case kCategoryCapacity:
        return kCapacity;
    case kCategoryLength:
        return kLength;
    case kCategoryVolume:
        return kVolume;
    case kCategoryWeight:
        return kWeight;
    default:
        return {};
    }
}

std::string PairKey(int fromIndex, int toIndex) {
    return std::to_string(fromIndex) + std::to_string(toIndex);
}

} // namespace sumwise
