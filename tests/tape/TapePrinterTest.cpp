#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>

#include "form/CalcForm.h"
#include "support/FakePlatform.h"
#include "support/RecordingSurface.h"
#include "tape/TapeLine.h"
#include "tape/TapePrinter.h"

namespace sumwise {
namespace {

using testing::RecordingSurface;

class TapePrinterTest : public ::testing::Test {
protected:
    void SetUp() override { platform.printer = surface; }
    void Lay(int count) {
        for (int i = 0; i < count; ++i) {
            tape.AddTapeLine(i % 7 == 3 ? std::string(kEnDash) + " 2.00"
                                        : "+ " + std::to_string(i));
        }
    }
    // The printed tape lines, without the header.
    std::vector<RecordingSurface::Text> Lines() const {
        std::vector<RecordingSurface::Text> lines(surface->texts.begin() + 1, surface->texts.end());
        return lines;
    }

    testing::FakePlatform platform;
    std::shared_ptr<RecordingSurface> surface = std::make_shared<RecordingSurface>();
    Tape tape;
};

TEST_F(TapePrinterTest, EmptyTapeOnlyTellsTheUser) {
    PrintTape(tape, platform);
    ASSERT_EQ(platform.Messages().size(), 1u);
    EXPECT_EQ(platform.Messages()[0].text, "There are no entries on the tape to print.     ");
    EXPECT_EQ(platform.Messages()[0].icon, MsgIcon::Information);
    EXPECT_TRUE(platform.busyCalls.empty()) << "the window is never disabled";
    EXPECT_TRUE(surface->texts.empty());
}

TEST_F(TapePrinterTest, HeaderRuleAndFirstColumn) {
    platform.now = {2026, 12, 8, 14, 5, 0};
    Lay(3);
    PrintTape(tape, platform);
    ASSERT_EQ(surface->texts.size(), 4u);
    EXPECT_EQ(surface->fontName, "Times New Roman");
    EXPECT_EQ(surface->texts[0].text, "Sumwise Tape Printed: December 8, 2026 @ 2:05 PM");
    EXPECT_DOUBLE_EQ(surface->texts[0].x, 0);
    EXPECT_DOUBLE_EQ(surface->texts[0].y, 0);
    ASSERT_EQ(surface->rules.size(), 1u);
    const auto& rule = surface->rules[0];
    EXPECT_DOUBLE_EQ(rule.y1, 0.2);
    EXPECT_DOUBLE_EQ(rule.y2, 0.2);
    EXPECT_DOUBLE_EQ(rule.x1, 0);
    EXPECT_DOUBLE_EQ(rule.x2, 7.5);
    // Under the rule, a 5-point gap line, then the tape at 10 points.
    EXPECT_NEAR(surface->texts[1].y, 0.3, 1e-9);
    for (const auto& line : Lines()) {
        EXPECT_NEAR(line.x + 0.05 * static_cast<double>(line.text.size()), 1.5, 1e-9) << line.text;
        EXPECT_DOUBLE_EQ(line.size, 10);
    }
    EXPECT_EQ(surface->ended, 1);
    EXPECT_EQ(platform.busyCalls, (std::vector<bool>{true, false}));
}

TEST_F(TapePrinterTest, ColumnsAndPages) {
    Lay(600);
    PrintTape(tape, platform);
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 600u);
    const double columnTop = lines[0].y;
    std::map<std::pair<int, double>, double> columnStart; // (page, right edge) -> first y
    for (const auto& line : lines) {
        const double edge =
            std::round((line.x + 0.05 * static_cast<double>(line.text.size())) * 1000) / 1000;
        columnStart.emplace(std::make_pair(line.page, edge), line.y);
    }
    std::set<double> edges;
    for (const auto& [key, y] : columnStart) {
        edges.insert(key.second);
        if (key.first > 1 && key.second == 1.5) {
            EXPECT_DOUBLE_EQ(y, 0) << "a new page starts at its very top";
        } else {
            EXPECT_NEAR(y, columnTop, 1e-9) << "page " << key.first << " edge " << key.second;
        }
    }
    EXPECT_EQ(edges, (std::set<double>{1.5, 3, 4.5, 6}));
    EXPECT_GE(surface->page, 4);
    // No line below the point where fewer than two more would fit.
    for (const auto& line : lines) {
        EXPECT_LE(line.y + 0.2, 10.0 - 0.2 + 1e-9);
    }
    EXPECT_EQ(surface->rules.size(), 1u) << "header and rule on the first page only";
}

TEST_F(TapePrinterTest, MinusLinesInRed) {
    tape.AddTapeLine("+ 5.00");
    tape.AddTapeLine(std::string(kEnDash) + " 8.00");
    tape.AddTapeLine("= -3.00");
    tape.AddTapeLine(std::string(kSeparatorLine));
    tape.AddTapeLine("- 1.00"); // an edited minus line
    tape.AddTapeLine("G 3.00");
    PrintTape(tape, platform);
    const Rgb red{255, 0, 0};
    const Rgb black{0, 0, 0};
    std::vector<Rgb> colours;
    for (const auto& line : Lines()) {
        colours.push_back(line.colour);
    }
    EXPECT_EQ(colours, (std::vector<Rgb>{black, red, red, black, red, black}));
}

TEST_F(TapePrinterTest, WideLinesReachLeftOfTheirEdge) {
    tape.AddTapeLine("= 123456789012345678901234567890.00 sub total");
    PrintTape(tape, platform);
    ASSERT_EQ(Lines().size(), 1u);
    EXPECT_LT(Lines()[0].x, 0);
}

// Throws on one chosen operation, to see the run go on.
class FailingSurface : public RecordingSurface {
public:
    bool failLine = false;
    bool failHeight = false;
    void Line(double x1, double y1, double x2, double y2, Rgb colour) override {
        if (failLine) {
            throw PrintFailure("no line");
        }
        RecordingSurface::Line(x1, y1, x2, y2, colour);
    }
    double TextHeight(const std::string& text) override {
        if (failHeight && text == "TextString") {
            throw PrintFailure("no height");
        }
        return RecordingSurface::TextHeight(text);
    }
};

TEST_F(TapePrinterTest, FailuresAreSkipped) {
    auto failing = std::make_shared<FailingSurface>();
    failing->failLine = true;
    platform.printer = failing;
    Lay(5);
    PrintTape(tape, platform);
    EXPECT_EQ(failing->texts.size(), 1u) << "a failure before the tape prints no tape line";
    EXPECT_EQ(failing->ended, 1);
    EXPECT_EQ(platform.busyCalls, (std::vector<bool>{true, false}));
    EXPECT_TRUE(platform.Messages().empty());

    // A page-full test that cannot be answered counts as a full column.
    auto unsure = std::make_shared<FailingSurface>();
    unsure->failHeight = true;
    platform.printer = unsure;
    PrintTape(tape, platform);
    ASSERT_EQ(unsure->texts.size(), 6u);
    EXPECT_EQ(unsure->texts[5].page, 2) << "four one-line columns, then a new page";

    platform.noPrinter = true;
    EXPECT_NO_THROW(PrintTape(tape, platform));
    EXPECT_TRUE(platform.Messages().empty());
}

TEST(PrintTimeText, TwelveHourClock) {
    const std::pair<DateTime, const char*> cases[] = {
        {{2026, 1, 1, 0, 0, 0}, "12:00 AM"},
        {{2026, 1, 1, 9, 7, 0}, "9:07 AM"},
        {{2026, 1, 1, 12, 30, 0}, "12:30 PM"},
        {{2026, 1, 1, 23, 59, 59}, "11:59 PM"},
    };
    for (const auto& [when, text] : cases) {
        EXPECT_EQ(PrintTimeText(when), text);
    }
}

} // namespace
} // namespace sumwise
