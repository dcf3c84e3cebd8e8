#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "support/FakePlatform.h"
#include "support/MemoryFiles.h"
#include "support/RecordingSurface.h"
#include "tape/TapeLine.h"
#include "tape/TapePrinter.h"

namespace sumwise {
namespace {

using testing::RecordingSurface;

class TapePrintNotesTest : public ::testing::Test {
protected:
    void SetUp() override { platform.printer = surface; }
    // The printed texts without the header.
    std::vector<RecordingSurface::Text> Printed() const {
        return {surface->texts.begin() + 1, surface->texts.end()};
    }
    double RightEnd(const RecordingSurface::Text& text) const {
        return text.x + 0.05 * static_cast<double>(text.text.size()) * text.size / 10;
    }

    testing::FakePlatform platform;
    testing::MemoryFiles files;
    std::shared_ptr<RecordingSurface> surface = std::make_shared<RecordingSurface>();
    Tape tape;
};

// The recording surface gives every byte 0.05 inch; the first column ends at 1.5 inches and a
// note keeps 0.1 inch from its line, so beside "+ 5.00" it has 1.1 inches: 22 bytes a row.
TEST_F(TapePrintNotesTest, ALongNoteGoesOnOverRowsOfItsOwnAndIsNeverCut) {
    const auto accents = [](int count) { // two bytes, one character each
        std::string text;
        while (count-- > 0) {
            text += "\u00e9";
        }
        return text;
    };
    const std::string nines23 = "+ " + std::string(23, '9');
    const struct {
        std::string line, note;
        std::vector<std::string> rows;
        bool under; // the figure leaves too little room: the note goes under it, across the column
    } cases[] = {
        {"+ 5.00", "rent", {"rent"}, false},
        {"+ 5.00", "abcdefghijklmnopqrstuv", {"abcdefghijklmnopqrstuv"}, false}, // the room exactly
        {"+ 5.00", "abcdefghijklmnopqrstuvwxyz", {"abcdefghijklmnopqrstuv", "wxyz"}, false},
        {"+ 5.00", "aaaaaaaaaaaaaaaaaa  bbbbbbbb", {"aaaaaaaaaaaaaaaaaa", "bbbbbbbb"}, false},
        {"+ 5.00", "line one\nline two and more", {"line one line two and", "more"}, false},
        {"+ 5.00", accents(13), {accents(11), accents(2)}, false}, // whole characters
        {"+ 123456789012.00", "monthly rent", {"monthly", "rent"}, false},
        {nines23, "abcde", {"abcde"}, true},
        {"= " + std::string(27, '9'), "rent", {"rent"}, true},
        {nines23,
         "the monthly rent for the office in the old town",
         {"the monthly rent for the", "office in the old town"},
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line + " / " + c.note);
        surface->texts.clear();
        tape.Clear();
        tape.AddTapeLine(c.line);
        tape.SetNote(0, c.note);
        tape.AddTapeLine("+ 1.00");
        PrintTape(tape, platform, files);
        const auto printed = Printed();
        ASSERT_EQ(printed.size(), c.rows.size() + 2);
        const auto& line = printed[c.under ? 0 : 1];
        EXPECT_EQ(line.text, c.line);
        EXPECT_NEAR(RightEnd(line), 1.5, 1e-9);
        for (std::size_t row = 0; row < c.rows.size(); ++row) {
            const auto& note = printed[row < 1 && !c.under ? 0 : row + 1];
            EXPECT_EQ(note.text, c.rows[row]) << row;
            EXPECT_DOUBLE_EQ(note.x, 0);
            EXPECT_NEAR(note.y, line.y + 0.2 * static_cast<double>(row + c.under), 1e-9) << row;
            EXPECT_NE(note.colour, (Rgb{255, 0, 0}));
            EXPECT_LE(RightEnd(note), (c.under ? 1.5 : line.x - 0.1) + 1e-9) << row;
        }
        // The next line stands under the note's last row.
        EXPECT_NEAR(printed.back().y, line.y + 0.2 * static_cast<double>(c.rows.size() + c.under),
                    1e-9);
    }
}

TEST_F(TapePrintNotesTest, NotesFollowTheirLinesAcrossColumnsAndPages) {
    for (int i = 0; i < 400; ++i) {
        tape.AddTapeLine(i % 7 == 3 ? std::string(kEnDash) + " 2.00" : "+ " + std::to_string(i));
        tape.SetNote(tape.Count() - 1, "note " + std::to_string(i));
    }
    PrintTape(tape, platform, files);
    const auto printed = Printed();
    ASSERT_EQ(printed.size(), 800u);
    std::set<double> edges;
    for (std::size_t i = 0; i < printed.size(); i += 2) {
        const auto& note = printed[i];
        const auto& line = printed[i + 1];
        SCOPED_TRACE(line.text);
        EXPECT_EQ(note.text.rfind("note ", 0), 0u);
        EXPECT_EQ(note.page, line.page);
        EXPECT_DOUBLE_EQ(note.y, line.y);
        const double edge = std::round(RightEnd(line) * 1000) / 1000;
        edges.insert(edge);
        // Past the first column a note keeps clear of the figures of the column before.
        EXPECT_NEAR(note.x, edge == 1.5 ? 0 : edge - 1.5 + 0.1, 1e-9);
        EXPECT_NE(note.colour, (Rgb{255, 0, 0})) << "a note is never red";
        EXPECT_EQ(line.colour, IsRedLine(line.text) ? (Rgb{255, 0, 0}) : (Rgb{0, 0, 0}));
    }
    EXPECT_EQ(edges, (std::set<double>{1.5, 3, 4.5, 6}));
    EXPECT_GE(printed.back().page, 3);
}

// Ends the document with a failure, as a full disk does.
class UnfinishedSurface : public RecordingSurface {
public:
    void EndDoc() override { throw PrintFailure("No space left on device"); }
};

TEST_F(TapePrintNotesTest, PdfIsWrittenOrTheUserIsToldWhy) {
    tape.AddTapeLine("+ 5.00");
    EXPECT_TRUE(PrintTapeToPdf(tape, "/home/me/March.pdf", platform, files));
    EXPECT_EQ(files.files["/home/me/March.pdf"], platform.pdfBytes);
    EXPECT_EQ(surface->ended, 1);
    ASSERT_EQ(Printed().size(), 1u);
    EXPECT_EQ(platform.busyCalls, (std::vector<bool>{true, false}));
    EXPECT_TRUE(platform.Messages().empty());

    platform.noPdf = true; // the document cannot be made
    platform.busyCalls.clear();
    EXPECT_FALSE(PrintTapeToPdf(tape, "/nowhere/March.pdf", platform, files));
    EXPECT_EQ(platform.busyCalls, (std::vector<bool>{true, false}));
    ASSERT_EQ(platform.Messages().size(), 1u);
    EXPECT_EQ(platform.Messages()[0].text, "The tape could not be saved as /nowhere/March.pdf.");
    EXPECT_EQ(platform.Messages()[0].title, "Sumwise");
    EXPECT_EQ(platform.Messages()[0].icon, MsgIcon::Exclamation);

    platform.noPdf = false;
    platform.printer = std::make_shared<UnfinishedSurface>();
    EXPECT_FALSE(PrintTapeToPdf(tape, "/full/March.pdf", platform, files));
    ASSERT_EQ(platform.Messages().size(), 2u);
    EXPECT_EQ(platform.Messages()[1].text,
              "The tape could not be saved as /full/March.pdf: No space left on device.");

    tape.Clear();
    platform.pdfsOpened = 0;
    EXPECT_FALSE(PrintTapeToPdf(tape, "/home/me/Empty.pdf", platform, files));
    EXPECT_EQ(platform.pdfsOpened, 0) << "no file for an empty tape";
    EXPECT_EQ(files.files.size(), 1u);
    ASSERT_EQ(platform.Messages().size(), 3u);
    EXPECT_EQ(platform.Messages()[2].icon, MsgIcon::Information);
}

} // namespace
} // namespace sumwise
