#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <sstream>

#include "form/CalcForm.h"
#include "support/FakePlatform.h"
#include "support/MemoryFiles.h"
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
    testing::MemoryFiles files;
    std::shared_ptr<RecordingSurface> surface = std::make_shared<RecordingSurface>();
    Tape tape;
};

TEST_F(TapePrinterTest, EmptyTapeOnlyTellsTheUser) {
    PrintTape(tape, platform, files);
    ASSERT_EQ(platform.Messages().size(), 1u);
    EXPECT_EQ(platform.Messages()[0].text, "There are no entries on the tape to print.     ");
    EXPECT_EQ(platform.Messages()[0].icon, MsgIcon::Information);
    EXPECT_TRUE(platform.busyCalls.empty()) << "the window is never disabled";
    EXPECT_TRUE(surface->texts.empty());
}

TEST_F(TapePrinterTest, HeaderRuleAndFirstColumn) {
    platform.now = {2026, 12, 8, 14, 5, 0};
    Lay(3);
    PrintTape(tape, platform, files);
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
    PrintTape(tape, platform, files);
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
    PrintTape(tape, platform, files);
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
    PrintTape(tape, platform, files);
    ASSERT_EQ(Lines().size(), 1u);
    EXPECT_LT(Lines()[0].x, 0);
}

// Drawn as the printer always drew a tape without notes.
TEST_F(TapePrinterTest, ATapeWithoutNotesIsDrawnAsEver) {
    platform.printer = surface = std::make_shared<RecordingSurface>(7.5, 1.0); // two a column
    for (const char* line : {"+ 5.00", "- 2.50", "= 2.50"}) {
        tape.AddTapeLine(line);
    }
    PrintTape(tape, platform, files);
    std::ostringstream drawn;
    for (const auto& text : surface->texts) {
        drawn << text.x << ',' << text.y << ' ' << text.text << ' ' << text.colour.red << "; ";
    }
    EXPECT_EQ(drawn.str(), "0,0 Sumwise Tape Printed: December 8, 2026 @ 2:30 PM 0; "
                           "1.2,0.3 + 5.00 0; 1.2,0.5 - 2.50 255; 2.7,0.3 = 2.50 0; ");
    EXPECT_EQ(surface->rules.size(), 1u);
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
    PrintTape(tape, platform, files);
    EXPECT_EQ(failing->texts.size(), 1u) << "a failure before the tape prints no tape line";
    EXPECT_EQ(failing->ended, 1);
    EXPECT_EQ(platform.busyCalls, (std::vector<bool>{true, false}));
    EXPECT_TRUE(platform.Messages().empty());

    // A page-full test that cannot be answered counts as a full column.
    auto unsure = std::make_shared<FailingSurface>();
    unsure->failHeight = true;
    platform.printer = unsure;
    PrintTape(tape, platform, files);
    ASSERT_EQ(unsure->texts.size(), 6u);
    EXPECT_EQ(unsure->texts[5].page, 2) << "four one-line columns, then a new page";

    platform.noPrinter = true; // the PDF in the documents folder takes the same pages
    EXPECT_NO_THROW(PrintTape(tape, platform, files));
    EXPECT_EQ(platform.Messages().size(), 1u);
}

// Keeps what the files and the window were when a message was shown.
class WatchingPlatform : public testing::FakePlatform {
public:
    explicit WatchingPlatform(const testing::MemoryFiles& files) : files_(files) {}
    MsgAnswer MsgBox(const std::string& text, const std::string& title, MsgIcon icon,
                     MsgButtons buttons) override {
        filesAtMessage = files_.files;
        busyAtMessage = busyCalls;
        return FakePlatform::MsgBox(text, title, icon, buttons);
    }
    std::map<std::string, std::string> filesAtMessage;
    std::vector<bool> busyAtMessage;

private:
    const testing::MemoryFiles& files_;
};

TEST(TapePdfFile, WrittenWholeOrLeftAsItWasAndTheUserIsTold) {
    const std::string chosen = "/home/me/March.pdf";
    const std::string printed = "/home/me/Documents/Sumwise Tape 2026-12-08 14.30.05.pdf";
    const std::string unreachable = "Office: the printer could not be opened";
    const struct {
        const char* name;
        bool printKey;
        std::string printerFailure, writeFailure;
        std::string message;
        MsgIcon icon;
    } cases[] = {
        {"print to PDF, disk full", false, "", "No space left on device",
         "The tape could not be saved as " + chosen + ": No space left on device.",
         MsgIcon::Exclamation},
        {"no printer", true, "", "", "No printer is installed. The tape is saved as " + printed,
         MsgIcon::Information},
        {"printer unreachable", true, unreachable, "",
         "The printer cannot be reached: " + unreachable + ". The tape is saved as " + printed,
         MsgIcon::Exclamation},
        {"no printer, folder unwritable", true, "", "Permission denied",
         "No printer is installed, and the tape cannot be saved in \"/home/me/Documents\": "
         "Permission denied.",
         MsgIcon::Exclamation},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testing::MemoryFiles files;
        files.files[chosen] = "the old PDF";
        files.writeFailure = c.writeFailure;
        WatchingPlatform platform(files);
        platform.printer = std::make_shared<RecordingSurface>();
        platform.noPrinter = true;
        platform.printerFailure = c.printerFailure;
        Tape tape;
        tape.AddTapeLine("+ 5.00");
        const std::string target = c.printKey ? printed : chosen;
        if (c.printKey) {
            PrintTape(tape, platform, files);
        } else {
            EXPECT_FALSE(PrintTapeToPdf(tape, chosen, platform, files));
        }
        const bool written = c.writeFailure.empty();
        const auto file = files.files.find(target);
        if (written) {
            ASSERT_NE(file, files.files.end());
            EXPECT_EQ(file->second, platform.pdfBytes);
        } else if (c.printKey) {
            EXPECT_EQ(file, files.files.end()) << "no file at all";
        } else {
            EXPECT_EQ(file->second, "the old PDF");
        }
        ASSERT_EQ(platform.Messages().size(), 1u);
        EXPECT_EQ(platform.Messages()[0].text, c.message);
        EXPECT_EQ(platform.Messages()[0].icon, c.icon);
        // Said once the run is over, and of a saved file only once it is whole on disk.
        EXPECT_EQ(platform.busyAtMessage, (std::vector<bool>{true, false}));
        EXPECT_EQ(platform.filesAtMessage, files.files);
    }
}

} // namespace
} // namespace sumwise
