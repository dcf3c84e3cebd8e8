#pragma once

#include <span>
#include <string>
#include <string_view>

namespace sumwise {

// Positions in the category list; the dispatch goes by them.
inline constexpr int kCategoryArea = 0;
inline constexpr int kCategoryBytes = 1;
inline constexpr int kCategoryCapacity = 2;
inline constexpr int kCategoryLength = 3;
inline constexpr int kCategoryTemperature = 4;
inline constexpr int kCategoryVolume = 5;
inline constexpr int kCategoryWeight = 6;
inline constexpr int kCategoryCount = 7;

// Texts of the converter panel.
inline constexpr const char* kConversionsCaption = "Category";
inline constexpr const char* kFromCaption = "Convert From:";
inline constexpr const char* kToCaption = "Convert To:";
inline constexpr const char* kConvertCaption = "&Convert";
inline constexpr const char* kToCelsiusCaption = "Fahrenheit to Celsius";
inline constexpr const char* kToFahrenheitCaption = "Celsius to Fahrenheit";
inline constexpr const char* kInvalidNumberMessage = "Please enter a valid number to convert     ";

// The seven category names in list order.
std::span<const std::string_view> CategoryNames();

// A category's unit names in list order; a unit's position is its index in the factor
// tables. Empty for Temperature and for an index outside the list.
std::span<const std::string_view> UnitNames(int category);

// The from-unit digit followed by the to-unit digit: (0, 4) is "04".
std::string PairKey(int fromIndex, int toIndex);

} // namespace sumwise
