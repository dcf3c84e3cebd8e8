#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/FileOps.h"

namespace sumwise {

// The options beyond the calculator as it was first made: each is off until the user turns it
// on, so with the file missing everything works as before.
struct Options {
    bool addMode = false;          // digits keyed without a point shift in from the right
    bool itemCount = false;        // the entries of a calculation are counted and noted on totals
    std::optional<double> taxRate; // in percent; none set until the user gives one
    // The window's inside below its menu bar, in twips, as the user sized it; 0 while it has
    // the size it was designed with.
    int windowWidth = 0;
    int windowHeight = 0;
    // Tapes leaving the screen are kept in the tape history: the one option that is on until
    // the user turns it off, written to the file only once it was.
    bool keepHistory = true;

    bool operator==(const Options&) const = default;
};

inline constexpr const char* kOptionsFileName = "Sumwise.options";

// The options in the file; a missing, unreadable or damaged file, or a value that does not
// read, gives that option's default.
Options LoadOptions(FileOps& files, const std::string& path);
// Writes all options at once, atomically; false when the file could not be written.
bool SaveOptions(FileOps& files, const std::string& path, const Options& options);

// A window length as the file keeps it: whole twips, 1 to kMostWindowTwips; nullopt otherwise.
inline constexpr int kMostWindowTwips = 1'000'000;
std::optional<int> ReadWindowTwips(std::string_view text);

// A tax rate as typed: 0 to 100 with at most four decimals ("19", "8.875"); nullopt otherwise.
std::optional<double> ReadTaxRate(std::string_view text);
// "19", "8.875": the rate as the user would type it.
std::string TaxRateText(double rate);

} // namespace sumwise
