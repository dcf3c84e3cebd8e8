#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "engine/MarginMarkup.h"

namespace sumwise {
namespace {

using Edits = std::vector<std::pair<MarginField, std::string>>;
constexpr auto kCost = MarginField::Cost;
constexpr auto kSell = MarginField::Sell;
constexpr auto kMargin = MarginField::Margin;
constexpr auto kMarkup = MarginField::Markup;

MarginMarkup Typed(double displayed, const Edits& edits, bool comma = false,
                   std::string format = "#0.00") {
    MarginMarkup margin(std::move(format), comma, displayed);
    for (const auto& [field, text] : edits) {
        margin.Edit(field, text);
    }
    return margin;
}

struct FillCase {
    const char* what;
    double displayed; // the display's value when the dialog opened
    Edits edits;
    std::array<const char*, 4> texts; // cost, sell, margin, markup afterwards
    const char* reason;
    bool comma = false;
};

TEST(MarginMarkupTest, TheTwoGivenLastFillInTheOthers) {
    const FillCase cases[] = {
        {"cost and margin", 80, {{kMargin, "20"}}, {"80.00", "100.00", "20", "25"}, ""},
        {"cost and sell", 80, {{kSell, "100"}}, {"80.00", "100", "20", "25"}, ""},
        {"cost and markup", 80, {{kMarkup, "25"}}, {"80.00", "100.00", "20", "25"}, ""},
        {"sell and margin", 0, {{kSell, "100"}, {kMargin, "20"}}, {"80.00", "100", "20", "25"}, ""},
        {"sell and markup", 0, {{kSell, "100"}, {kMarkup, "25"}}, {"80.00", "100", "20", "25"}, ""},
        {"a filled field typed over drops the oldest given",
         80,
         {{kMargin, "20"}, {kSell, "120"}},
         {"96.00", "120", "20", "25"},
         ""},
        {"markup after margin replaces it",
         80,
         {{kMargin, "20"}, {kMarkup, "30"}},
         {"80.00", "104.00", "23.0769230769231", "30"},
         ""},
        {"a given field emptied empties the filled ones",
         80,
         {{kMargin, "20"}, {kMargin, ""}},
         {"80.00", "", "", ""},
         ""},
        {"margin and markup alone",
         0,
         {{kMargin, "20"}, {kMarkup, "25"}},
         {"", "", "20", "25"},
         "Margin and markup follow from each other: enter a cost or a sell price too."},
        {"comma in a comma locale",
         0,
         {{kCost, "80,5"}, {kMargin, "20"}},
         {"80,5", "100.63", "20", "25"},
         "",
         true},
        {"the point in a comma locale",
         0,
         {{kCost, "80.5"}, {kMargin, "20"}},
         {"80.5", "100.63", "20", "25"},
         "",
         true},
        {"comma in a point locale",
         0,
         {{kCost, "80,5"}, {kMargin, "20"}},
         {"80,5", "", "20", ""},
         "The cost is not a number."},
        {"margin of 100%",
         80,
         {{kMargin, "100"}},
         {"80.00", "", "100", ""},
         "A margin must be less than 100%."},
        {"margin over 100% after a fill",
         80,
         {{kMargin, "20"}, {kMargin, "150"}},
         {"80.00", "", "150", ""},
         "A margin must be less than 100%."},
        {"cost of 0",
         0,
         {{kCost, "0"}, {kMarkup, "25"}},
         {"0", "", "", "25"},
         "Markup needs a cost other than 0."},
        {"sell of 0",
         0,
         {{kSell, "0"}, {kMargin, "20"}},
         {"", "0", "20", ""},
         "Margin needs a sell price other than 0."},
        {"sell of 0 from cost and markup",
         80,
         {{kMarkup, "-100"}},
         {"80.00", "", "", "-100"},
         "A markup of -100% leaves a sell price of 0."},
        {"too large",
         0,
         {{kCost, "1E+307"}, {kMarkup, "1E+10"}},
         {"1E+307", "", "", "1E+10"},
         "The result is too large."},
    };
    for (const FillCase& c : cases) {
        SCOPED_TRACE(c.what);
        const MarginMarkup margin = Typed(c.displayed, c.edits, c.comma);
        for (const MarginField field : {kCost, kSell, kMargin, kMarkup}) {
            EXPECT_EQ(margin.Text(field), c.texts[static_cast<size_t>(field)]);
        }
        EXPECT_EQ(margin.Reason(), c.reason);
    }
}

struct UseCase {
    const char* what;
    Edits edits; // typed after a cost of 80 from the display
    MarginField used;
    double value;
    const char* note;
    const char* format = "#0.00";
};

TEST(MarginMarkupTest, UseGivesTheValueAsShownAndTheNote) {
    const UseCase cases[] = {
        {"a filled amount", {{kMargin, "20"}}, kSell, 100, "cost 80.00, margin 20% → sell 100.00"},
        {"a given amount", {{kMargin, "20"}}, kCost, 80, "cost 80.00, margin 20% → cost 80.00"},
        {"a given percentage",
         {{kMargin, "12.5"}},
         kMargin,
         12.5,
         "cost 80.00, margin 12.5% → margin 12.5%"},
        {"a filled percentage, rounded as the display rounds",
         {{kCost, "90"}, {kSell, "120"}},
         kMarkup,
         33.33,
         "cost 90.00, sell 120.00 → markup 33.33%"},
        {"floating decimal",
         {{kCost, "90"}, {kSell, "120"}},
         kMarkup,
         33.3333333333333,
         "cost 90, sell 120 → markup 33.3333333333333%",
         ""},
        {"given in the note's order, not the typing order",
         {{kMarkup, "25"}, {kSell, "100"}},
         kCost,
         80,
         "sell 100.00, markup 25% → cost 80.00"},
    };
    for (const UseCase& c : cases) {
        SCOPED_TRACE(c.what);
        MarginMarkup margin = Typed(80, c.edits, false, c.format);
        const auto result = margin.Use(c.used);
        ASSERT_TRUE(result) << margin.Reason();
        EXPECT_EQ(result->value, c.value);
        EXPECT_EQ(result->note, c.note);
    }
}

TEST(MarginMarkupTest, UseWithoutACalculationSaysWhy) {
    MarginMarkup one = Typed(80, {});
    EXPECT_FALSE(one.Use(kCost));
    EXPECT_EQ(one.Reason(), "Enter two of the four to fill in the others.");
    MarginMarkup impossible = Typed(80, {{kMargin, "100"}});
    EXPECT_FALSE(impossible.Use(kMargin));
    EXPECT_EQ(impossible.Reason(), "A margin must be less than 100%.");
}

} // namespace
} // namespace sumwise
