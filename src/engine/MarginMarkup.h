#pragma once

#include <array>
#include <optional>
#include <string>

namespace sumwise {

// The fields of the margin and markup calculation, in the order a note names them.
enum class MarginField { Cost = 0, Sell = 1, Margin = 2, Markup = 3 };

// A field's value to put in the display, as the display rounds it, and the note that names
// the calculation it came from.
struct MarginResult {
    double value = 0;
    std::string note;
};

// Cost, sell price, margin and markup: the two fields given last fill in the other two as
// they are typed. Amounts are written in the display format, percentages as general numbers.
class MarginMarkup {
public:
    MarginMarkup() = default;
    // numberFormat: the display's. decimalComma: the locale writes decimals with a comma,
    // which the fields then read besides the point. A cost other than 0 starts as given.
    MarginMarkup(std::string numberFormat, bool decimalComma, double cost);

    // The user changed a field's text: it becomes given, and the others follow.
    void Edit(MarginField field, std::string text);
    const std::string& Text(MarginField field) const { return texts_[Index(field)]; }
    // Why the fields cannot be filled in; empty while they can, or while too few are given.
    const std::string& Reason() const { return reason_; }
    // The field's value and the note, or nullopt when there is none (Reason says why).
    std::optional<MarginResult> Use(MarginField field);

private:
    static constexpr std::size_t kCount = 4;
    static std::size_t Index(MarginField field) { return static_cast<std::size_t>(field); }

    // The given pair, most recent first; nullopt when there is no pair.
    std::optional<std::array<MarginField, 2>> GivenPair() const;
    std::optional<double> Read(const std::string& text) const;
    void Recompute();
    // The others from the given pair, or a reason.
    bool Solve(const std::array<MarginField, 2>& pair);
    // The texts of the fields that were filled in are cleared.
    void ClearFilled();
    std::string Written(MarginField field, double value) const;

    std::string numberFormat_;
    bool decimalComma_ = false;
    std::array<std::string, kCount> texts_;
    // When each field was last edited by the user; 0 for a field filled in or never edited.
    std::array<int, kCount> editedAt_{};
    int clock_ = 0;
    std::array<double, kCount> values_{};
    std::optional<std::array<MarginField, 2>> given_; // set while all four values hold
    std::string reason_;
};

} // namespace sumwise
