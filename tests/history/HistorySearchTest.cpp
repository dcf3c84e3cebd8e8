#include <gtest/gtest.h>

#include <string>

#include "history/HistorySearch.h"
#include "history/KeptTapeSummary.h"
#include "tape/TapeLine.h"

namespace sumwise {
namespace {

const std::string kDash(kEnDash);
const std::string kTape = "+ 12.50\tRent March\n" + kDash +
                          " 3.00\n+ 1,250.00\tÄpfel\n= 1,259.50\n" + "G 1,259.50\n+ 4.00\n";

TEST(HistorySearchTest, AmountsMatchAsValuesAndWordsMatchNotes) {
    struct Case {
        const char* typed;
        bool decimalComma;
        bool found;
    };
    const Case cases[] = {
        {"12.50", false, true},      {"12.5", false, true},      {"12,50", true, true},
        {"12.50", true, true},       {"12,5", false, false},     {"1250", false, true},
        {"1,250", false, true},      {"1.250,00", true, true},   {"3", false, true},
        {"-3", false, true},         {"12.51", false, false},    {"rent", false, true},
        {"MARCH 12.5", false, true}, {"rent 4.5", false, false}, {"äpfel", false, true},
        {"Äpfel", false, true},      {"", false, true},          {"april", false, false},
    };
    const KeptTapeIndex index = IndexKeptTape(kTape);
    for (const Case& c : cases) {
        EXPECT_EQ(Matches(index, ReadHistoryQuery(c.typed, c.decimalComma)), c.found)
            << '"' << c.typed << "\" comma " << c.decimalComma;
    }
}

TEST(HistorySearchTest, ASummaryCountsLinesAndFindsTheLastTotalAndFirstNote) {
    const KeptTapeSummary summary = SummarizeKeptTape(kTape);
    EXPECT_EQ(summary.lines, 6u);
    EXPECT_EQ(summary.lastTotal, "G 1,259.50");
    EXPECT_EQ(summary.firstNote, "Rent March");
    const KeptTapeSummary bare = SummarizeKeptTape("+ 1.00\r\n= 1.00\tend\r\n+ 2.00");
    EXPECT_EQ(bare.lines, 3u);
    EXPECT_EQ(bare.lastTotal, "= 1.00");
    EXPECT_EQ(bare.firstNote, "end");
}

} // namespace
} // namespace sumwise
