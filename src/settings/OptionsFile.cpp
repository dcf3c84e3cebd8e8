#include "settings/OptionsFile.h"

#include <array>
#include <charconv>
#include <cmath>
#include <vector>

#include "number/NumberGrammar.h"
#include "number/NumberText.h"
#include "settings/ProfileText.h"
#include "settings/SettingsFile.h"

namespace sumwise {

namespace {

constexpr std::string_view kSection = "Options";
constexpr std::string_view kAddMode = "AddMode";
constexpr std::string_view kItemCount = "ItemCount";
constexpr std::string_view kTaxRate = "TaxRate";
constexpr std::string_view kWindowWidth = "WindowWidth";
constexpr std::string_view kWindowHeight = "WindowHeight";
constexpr std::string_view kKeepHistory = "KeepHistory";

// "1" on, "0" off; anything else keeps the default (off).
bool Flag(const std::optional<std::string>& value) {
    return value && *value == "1";
}

} // namespace

std::optional<double> ReadTaxRate(std::string_view text) {
    constexpr NumberDialect kRate{.blanks = " \t", .sign = false, .exponent = false};
    const auto parts = ScanNumber(text, kRate);
    if (!parts || parts->fracDigits.size() > 4) {
        return std::nullopt;
    }
    const auto rate = DoubleValue(*parts, {});
    if (!rate || *rate > 100) {
        return std::nullopt;
    }
    return *rate;
}

std::optional<int> ReadWindowTwips(std::string_view text) {
    int twips = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), twips);
    if (error != std::errc() || end != text.data() + text.size() || twips < 1 ||
        twips > kMostWindowTwips) {
        return std::nullopt;
    }
    return twips;
}

std::string TaxRateText(double rate) {
    return GeneralNumber(rate);
}

Options LoadOptions(FileOps& files, const std::string& path) {
    Options options;
    const std::optional<std::string> text = ReadProfileText(files, path);
    if (!text) {
        return options;
    }
    constexpr std::array<std::string_view, 6> kKeys = {kAddMode,     kItemCount,    kTaxRate,
                                                       kWindowWidth, kWindowHeight, kKeepHistory};
    const ProfileValues found = FindProfileValues(*text, kSection, kKeys);
    if (!found.sectionFound) {
        return options;
    }
    options.addMode = Flag(found.values[0]);
    options.itemCount = Flag(found.values[1]);
    if (found.values[2]) {
        options.taxRate = ReadTaxRate(*found.values[2]);
    }
    // A size counts only whole: one length alone cannot be shown.
    const auto width = found.values[3] ? ReadWindowTwips(*found.values[3]) : std::nullopt;
    const auto height = found.values[4] ? ReadWindowTwips(*found.values[4]) : std::nullopt;
    if (width && height) {
        options.windowWidth = *width;
        options.windowHeight = *height;
    }
    // On unless the file says "0".
    options.keepHistory = !(found.values[5] && *found.values[5] == "0");
    return options;
}

bool SaveOptions(FileOps& files, const std::string& path, const Options& options) {
    std::optional<std::string> text = TextToRewrite(files, path);
    if (!text) {
        return false;
    }
    const std::string rate = options.taxRate ? TaxRateText(*options.taxRate) : std::string();
    const bool sized = options.windowWidth > 0 && options.windowHeight > 0;
    const std::string width = sized ? std::to_string(options.windowWidth) : std::string();
    const std::string height = sized ? std::to_string(options.windowHeight) : std::string();
    std::vector<ProfileWrite> writes = {
        ProfileWrite{kAddMode, options.addMode ? "1" : "0"},
        ProfileWrite{kItemCount, options.itemCount ? "1" : "0"},
        ProfileWrite{kTaxRate, rate},
    };
    // The file of a window never resized keeps only the keys it always had.
    if (sized || FindProfileValue(*text, kSection, kWindowWidth) ||
        FindProfileValue(*text, kSection, kWindowHeight)) {
        writes.push_back({kWindowWidth, width});
        writes.push_back({kWindowHeight, height});
    }
    // Likewise the history's key, once the user turned it off.
    if (!options.keepHistory || FindProfileValue(*text, kSection, kKeepHistory)) {
        writes.push_back({kKeepHistory, options.keepHistory ? "1" : "0"});
    }
    SetProfileValues(*text, kSection, writes);
    return files.WriteFileAtomic(path, *text);
}

} // namespace sumwise
