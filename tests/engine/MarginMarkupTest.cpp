#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "engine/MarginMarkup.h"

namespace sumwise {
namespace {

// The dialog opened on a display of 80, then "c=", "s=", "g=" or "k=" and a text typed into
// cost, sell, margin or markup in turn.
MarginMarkup Typed(const std::string& edits, bool comma = false) {
    MarginMarkup margin("#0.00", comma, 80);
    std::istringstream words(edits);
    for (std::string word; words >> word;) {
        margin.Edit(static_cast<MarginField>(std::string("csgk").find(word[0])), word.substr(2));
    }
    return margin;
}

std::string Texts(const MarginMarkup& m) {
    return m.Text(MarginField::Cost) + "|" + m.Text(MarginField::Sell) + "|" +
           m.Text(MarginField::Margin) + "|" + m.Text(MarginField::Markup);
}

TEST(MarginMarkupTest, TheTwoGivenLastFillInTheOthers) {
    const struct {
        const char* edits;
        const char* texts; // cost|sell|margin|markup
        const char* reason;
        bool comma = false;
    } cases[] = {
        {"g=20", "80.00|100.00|20|25", ""},
        {"g=20 s=120", "96.00|120|20|25", ""},                 // the oldest given drops
        {"g=20 k=30", "80.00|104.00|23.0769230769231|30", ""}, // markup replaces margin
        {"c= g=20 k=25", "||20|25",
         "Margin and markup follow from each other: enter a cost "
         "or a sell price too."},
        {"c=80,5 g=20", "80,5|100.63|20|25", "", true},
        {"c=80,5 g=20", "80,5||20|", "The cost is not a number."},
        {"g=20 g=100", "80.00||100|", "A margin must be less than 100%."},
        {"c=0 k=25", "0|||25", "Markup needs a cost other than 0."},
        {"c= s=0 g=20", "|0|20|", "Margin needs a sell price other than 0."},
        {"k=-100", "80.00|||-100", "A markup of -100% leaves a sell price of 0."},
        {"c=1E+307 k=1E+10", "1E+307|||1E+10", "The result is too large."},
    };
    for (const auto& c : cases) {
        const MarginMarkup margin = Typed(c.edits, c.comma);
        EXPECT_EQ(Texts(margin), c.texts) << c.edits;
        EXPECT_EQ(margin.Reason(), c.reason) << c.edits;
    }
}

TEST(MarginMarkupTest, UseGivesTheValueAsShownAndTheNote) {
    const struct {
        const char* edits;
        MarginField used;
        double value;
        const char* note;
    } cases[] = {
        {"g=12.5", MarginField::Margin, 12.5, "cost 80.00, margin 12.5% → margin 12.5%"},
        {"k=25 s=100", MarginField::Cost, 80, "sell 100.00, markup 25% → cost 80.00"},
    };
    for (const auto& c : cases) {
        MarginMarkup margin = Typed(c.edits);
        const auto result = margin.Use(c.used);
        ASSERT_TRUE(result) << c.edits << ": " << margin.Reason();
        EXPECT_EQ(result->value, c.value) << c.edits;
        EXPECT_EQ(result->note, c.note) << c.edits;
    }
    MarginMarkup one = Typed("");
    EXPECT_FALSE(one.Use(MarginField::Cost));
    EXPECT_EQ(one.Reason(), "Enter two of the four to fill in the others.");
}

} // namespace
} // namespace sumwise
