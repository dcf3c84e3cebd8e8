#include "engine/MarginMarkup.h"

#include <cmath>
#include <utility>

#include "number/Arithmetic.h"
#include "number/NumberGrammar.h"
#include "number/NumberText.h"

namespace sumwise {

namespace {

constexpr auto kCost = static_cast<std::size_t>(MarginField::Cost);
constexpr auto kSell = static_cast<std::size_t>(MarginField::Sell);
constexpr auto kMargin = static_cast<std::size_t>(MarginField::Margin);
constexpr auto kMarkup = static_cast<std::size_t>(MarginField::Markup);

constexpr const char* kNames[] = {"cost", "sell", "margin", "markup"};
constexpr const char* kNotANumber[] = {
    "The cost is not a number.", "The sell price is not a number.", "The margin is not a number.",
    "The markup is not a number."};

constexpr const char* kTooLarge = "The result is too large.";
constexpr const char* kCostZero = "Markup needs a cost other than 0.";
constexpr const char* kSellZero = "Margin needs a sell price other than 0.";

bool IsPercent(std::size_t field) {
    return field == kMargin || field == kMarkup;
}

// Known values in, the other two out; a reason when they cannot be had. Given amounts are
// checked before reckoned ones, so the message names what the user typed.
const char* SolveFields(std::array<double, 4>& v, const std::array<bool, 4>& given) {
    if (given[kMargin] && v[kMargin] >= 100) {
        return "A margin must be less than 100%.";
    }
    if (given[kMarkup] && v[kMarkup] == -100) {
        return "A markup of -100% leaves a sell price of 0.";
    }
    if (given[kCost] && v[kCost] == 0) {
        return kCostZero;
    }
    if (given[kSell] && v[kSell] == 0) {
        return kSellZero;
    }
    // sell = cost / (1 - margin) = cost x (1 + markup), from the percentage given.
    if (!given[kSell]) {
        v[kSell] = given[kMargin] ? v[kCost] / ((100 - v[kMargin]) / 100)
                                  : v[kCost] * ((100 + v[kMarkup]) / 100);
    } else if (!given[kCost]) {
        v[kCost] = given[kMargin] ? v[kSell] * ((100 - v[kMargin]) / 100)
                                  : v[kSell] / ((100 + v[kMarkup]) / 100);
    }
    if (!std::isfinite(v[kCost]) || !std::isfinite(v[kSell])) {
        return kTooLarge;
    }
    if (v[kCost] == 0) {
        return kCostZero;
    }
    if (v[kSell] == 0) {
        return kSellZero;
    }
    const double gain = SubtractDecimal(v[kSell], v[kCost]);
    if (!given[kMargin]) {
        v[kMargin] = given[kMarkup] ? v[kMarkup] / (100 + v[kMarkup]) * 100 : gain / v[kSell] * 100;
    }
    if (!given[kMarkup]) {
        v[kMarkup] = given[kMargin] ? v[kMargin] / (100 - v[kMargin]) * 100 : gain / v[kCost] * 100;
    }
    for (const double value : v) {
        if (!std::isfinite(value)) {
            return kTooLarge;
        }
    }
    return nullptr;
}

} // namespace

MarginMarkup::MarginMarkup(std::string numberFormat, bool decimalComma, double cost)
    : numberFormat_(std::move(numberFormat)), decimalComma_(decimalComma) {
    if (cost != 0 && std::isfinite(cost)) {
        Edit(MarginField::Cost, FormatNumber(cost, numberFormat_));
    }
}

void MarginMarkup::Edit(MarginField field, std::string text) {
    texts_[Index(field)] = std::move(text);
    editedAt_[Index(field)] = ++clock_;
    Recompute();
}

std::optional<double> MarginMarkup::Read(const std::string& text) const {
    NumberDialect dialect = kConverterNumber;
    dialect.decimalMarks = decimalComma_ ? ".," : ".";
    const std::optional<NumberParts> parts = ScanNumber(text, dialect);
    return parts ? DoubleValue(*parts, {}) : std::nullopt;
}

std::optional<std::array<MarginField, 2>> MarginMarkup::GivenPair() const {
    // The most recently edited field, with the latest one before it that it can pair with:
    // margin and markup follow from each other, so they never make a pair.
    std::optional<std::size_t> first;
    std::optional<std::size_t> second;
    for (std::size_t i = 0; i < kCount; ++i) {
        if (editedAt_[i] == 0 || texts_[i].empty()) {
            continue;
        }
        if (!first || editedAt_[i] > editedAt_[*first]) {
            first = i;
        }
    }
    for (std::size_t i = 0; first && i < kCount; ++i) {
        const bool bothPercent = IsPercent(i) && IsPercent(*first);
        if (i == *first || editedAt_[i] == 0 || texts_[i].empty() || bothPercent) {
            continue;
        }
        if (!second || editedAt_[i] > editedAt_[*second]) {
            second = i;
        }
    }
    if (!second) {
        return std::nullopt;
    }
    return std::array{static_cast<MarginField>(*first), static_cast<MarginField>(*second)};
}

void MarginMarkup::Recompute() {
    reason_.clear();
    given_.reset();
    const auto pair = GivenPair();
    if (!pair) {
        ClearFilled();
        const bool percentsOnly = !texts_[kMargin].empty() && !texts_[kMarkup].empty() &&
                                  editedAt_[kMargin] != 0 && editedAt_[kMarkup] != 0;
        if (percentsOnly) {
            reason_ = "Margin and markup follow from each other: enter a cost or a sell price too.";
        }
        return;
    }
    if (!Solve(*pair)) {
        ClearFilled();
        return;
    }
    given_ = pair;
    for (std::size_t i = 0; i < kCount; ++i) {
        const auto field = static_cast<MarginField>(i);
        if (field != (*pair)[0] && field != (*pair)[1]) {
            texts_[i] = Written(field, values_[i]);
            editedAt_[i] = 0;
        }
    }
}

bool MarginMarkup::Solve(const std::array<MarginField, 2>& pair) {
    std::array<double, kCount> values{};
    std::array<bool, kCount> given{};
    for (const MarginField field : pair) {
        const std::optional<double> value = Read(texts_[Index(field)]);
        if (!value) {
            reason_ = kNotANumber[Index(field)];
            return false;
        }
        values[Index(field)] = *value;
        given[Index(field)] = true;
    }
    if (const char* reason = SolveFields(values, given)) {
        reason_ = reason;
        return false;
    }
    values_ = values;
    return true;
}

void MarginMarkup::ClearFilled() {
    for (std::size_t i = 0; i < kCount; ++i) {
        if (editedAt_[i] == 0) {
            texts_[i].clear();
        }
    }
}

std::string MarginMarkup::Written(MarginField field, double value) const {
    return IsPercent(Index(field)) ? GeneralNumber(value) : FormatNumber(value, numberFormat_);
}

std::optional<MarginResult> MarginMarkup::Use(MarginField field) {
    if (!given_) {
        if (reason_.empty()) {
            reason_ = "Enter two of the four to fill in the others.";
        }
        return std::nullopt;
    }
    // What the display shows is what the calculation takes, as for the tax key.
    const double value = LeadingNumber(FormatNumber(values_[Index(field)], numberFormat_));
    std::string note;
    for (std::size_t i = 0; i < kCount; ++i) {
        const auto each = static_cast<MarginField>(i);
        if (each == (*given_)[0] || each == (*given_)[1]) {
            note += (note.empty() ? "" : ", ") + std::string(kNames[i]) + " " +
                    Written(each, values_[i]) + (IsPercent(i) ? "%" : "");
        }
    }
    note += " \u2192 " + std::string(kNames[Index(field)]) + " " + Written(field, value) +
            (IsPercent(Index(field)) ? "%" : "");
    return MarginResult{value, std::move(note)};
}

} // namespace sumwise
