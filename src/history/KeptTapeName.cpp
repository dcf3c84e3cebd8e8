#include "history/KeptTapeName.h"

#include <charconv>
#include <cstdio>
#include <tuple>

namespace sumwise {

namespace {

constexpr std::string_view kSuffix = ".tape";

// Exactly `digits` digits at text[at], as a number; -1 otherwise.
int Digits(std::string_view text, std::size_t at, std::size_t digits) {
    if (at + digits > text.size()) {
        return -1;
    }
    int value = 0;
    const char* first = text.data() + at;
    const auto [end, error] = std::from_chars(first, first + digits, value);
    return error == std::errc() && end == first + digits && value >= 0 ? value : -1;
}

bool InRange(const DateTime& t) {
    return t.year >= 1900 && t.month >= 1 && t.month <= 12 && t.day >= 1 && t.day <= 31 &&
           t.hour >= 0 && t.hour <= 23 && t.minute >= 0 && t.minute <= 59 && t.second >= 0 &&
           t.second <= 60;
}

} // namespace

bool KeptTapeName::NewerThan(const KeptTapeName& other) const {
    const auto key = [](const KeptTapeName& n) {
        return std::tie(n.when.year, n.when.month, n.when.day, n.when.hour, n.when.minute,
                        n.when.second, n.copy);
    };
    return key(*this) > key(other);
}

std::string KeptTapeFileName(const KeptTapeName& name) {
    char text[48];
    const DateTime& t = name.when;
    std::snprintf(text, sizeof text, "%04d-%02d-%02d_%02d-%02d-%02d", t.year, t.month, t.day,
                  t.hour, t.minute, t.second);
    std::string fileName = text;
    if (name.copy > 1) {
        fileName += "_" + std::to_string(name.copy);
    }
    return fileName + std::string(kSuffix);
}

std::optional<KeptTapeName> ReadKeptTapeFileName(std::string_view fileName) {
    // "YYYY-MM-DD_hh-mm-ss" is 19 characters.
    constexpr std::size_t kStamp = 19;
    if (!fileName.ends_with(kSuffix) || fileName.size() < kStamp + kSuffix.size()) {
        return std::nullopt;
    }
    const std::string_view stem = fileName.substr(0, fileName.size() - kSuffix.size());
    for (const std::size_t at : {4, 7, 13, 16}) {
        if (stem[at] != '-') {
            return std::nullopt;
        }
    }
    if (stem[10] != '_') {
        return std::nullopt;
    }
    KeptTapeName name;
    name.when = {Digits(stem, 0, 4),  Digits(stem, 5, 2),  Digits(stem, 8, 2),
                 Digits(stem, 11, 2), Digits(stem, 14, 2), Digits(stem, 17, 2)};
    if (!InRange(name.when)) {
        return std::nullopt;
    }
    if (stem.size() > kStamp) {
        const std::string_view copy = stem.substr(kStamp);
        if (copy.size() < 2 || copy.size() > 6 || copy[0] != '_' || copy[1] == '0') {
            return std::nullopt;
        }
        name.copy = Digits(copy, 1, copy.size() - 1);
        if (name.copy < 2) {
            return std::nullopt;
        }
    }
    return name;
}

std::string KeptTapeTimeText(const DateTime& t) {
    char text[48];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day,
                  t.hour, t.minute, t.second);
    return text;
}

} // namespace sumwise
