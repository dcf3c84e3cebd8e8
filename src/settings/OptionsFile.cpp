#include "settings/OptionsFile.h"

#include <array>
#include <cmath>

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

std::string TaxRateText(double rate) {
    return GeneralNumber(rate);
}

Options LoadOptions(FileOps& files, const std::string& path) {
    Options options;
    const std::optional<std::string> text = ReadProfileText(files, path);
    if (!text) {
        return options;
    }
    constexpr std::array<std::string_view, 3> kKeys = {kAddMode, kItemCount, kTaxRate};
    const ProfileValues found = FindProfileValues(*text, kSection, kKeys);
    if (!found.sectionFound) {
        return options;
    }
    options.addMode = Flag(found.values[0]);
    options.itemCount = Flag(found.values[1]);
    if (found.values[2]) {
        options.taxRate = ReadTaxRate(*found.values[2]);
    }
    return options;
}

bool SaveOptions(FileOps& files, const std::string& path, const Options& options) {
    std::optional<std::string> text = TextToRewrite(files, path);
    if (!text) {
        return false;
    }
    const std::string rate = options.taxRate ? TaxRateText(*options.taxRate) : std::string();
    const std::array<ProfileWrite, 3> writes = {
        ProfileWrite{kAddMode, options.addMode ? "1" : "0"},
        ProfileWrite{kItemCount, options.itemCount ? "1" : "0"},
        ProfileWrite{kTaxRate, rate},
    };
    SetProfileValues(*text, kSection, writes);
    return files.WriteFileAtomic(path, *text);
}

} // namespace sumwise
