#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>

#include "qt/services/PrinterSurface.h"
#include "support/FakePlatform.h"
#include "support/TempFolder.h"
#include "tape/Tape.h"
#include "tape/TapeLine.h"
#include "tape/TapePrinter.h"

namespace sumwise::qt {
namespace {

// Real PDFs on Letter paper, and no printer.
class PdfPlatform : public testing::FakePlatform {
public:
    std::unique_ptr<PageSurface> OpenPdf() override { return OpenPdfSurface(QPageSize::Letter); }
};

// A disk that fills up after the first 4,096 bytes of a write.
class FillingDisk : public DiskFileOps {
protected:
    bool WriteBytes(int fd, const std::string& path, const std::string& bytes) override {
        DiskFileOps::WriteBytes(fd, path, bytes.substr(0, 4096));
        return Fail(path, "No space left on device");
    }
};

QString RunTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

TEST(PrintPdf, ColumnsPagesAndHeaderInARealPdf) {
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) {
        GTEST_SKIP() << "poppler-utils is not installed";
    }
    QTemporaryDir dir;
    const QString pdf = dir.filePath("tape.pdf");
    Tape tape;
    for (int i = 0; i < 300; ++i) {
        tape.AddTapeLine(i % 5 == 4 ? "= -" + std::to_string(i) + ".00"
                                    : "+ " + std::to_string(i * 3) + ".25");
    }
    PdfPlatform platform;
    DiskFileOps files;
    ASSERT_TRUE(PrintTapeToPdf(tape, pdf.toStdString(), platform, files));

    const QString info = RunTool("pdfinfo", {pdf});
    const QRegularExpression pages("Pages:\\s+(\\d+)");
    const auto match = pages.match(info);
    ASSERT_TRUE(match.hasMatch()) << info.toStdString();
    EXPECT_EQ(match.captured(1).toInt(), 2) << "300 lines of 10 points fill more than a page";

    const QString text = RunTool("pdftotext", {"-layout", pdf, "-"});
    EXPECT_TRUE(text.contains("Sumwise Tape Printed: ")) << text.left(200).toStdString();
    EXPECT_EQ(text.count("Sumwise Tape Printed: "), 1) << "the header is on the first page only";

    // Right edges of the printed lines: half-inch margin plus 1.5, 3, 4.5 and 6 inches.
    const QString layout = RunTool("pdftotext", {"-bbox-layout", pdf, "-"});
    const QRegularExpression line("<line xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\"");
    std::set<int> edges;
    int lines = 0;
    for (auto it = line.globalMatch(layout); it.hasNext();) {
        const auto m = it.next();
        const double xMin = m.captured(1).toDouble();
        const double xMax = m.captured(3).toDouble();
        if (xMin < 40) {
            continue; // the header starts at the left margin
        }
        ++lines;
        edges.insert(static_cast<int>(std::lround(xMax / 36.0)) * 36); // to the half inch
    }
    EXPECT_EQ(lines, 300);
    EXPECT_EQ(edges, (std::set<int>{144, 252, 360, 468}));
}

TEST(PrintPdf, AFailedWriteLeavesTheOldFileAndASuccessfulOneAWholePdf) {
    testing::TempFolder folder;
    const std::filesystem::path pdf = folder / "tape.pdf";
    const std::string old = testing::RandomBytes(10000, 7);
    testing::WriteFileBytes(pdf, old);
    Tape tape;
    for (int i = 0; i < 400; ++i) {
        tape.AddTapeLine("+ " + std::to_string(i) + ".00");
    }
    PdfPlatform platform;
    FillingDisk full;
    EXPECT_FALSE(PrintTapeToPdf(tape, pdf.string(), platform, full));
    ASSERT_EQ(platform.Messages().size(), 1u);
    EXPECT_EQ(platform.Messages()[0].text,
              "The tape could not be saved as " + pdf.string() + ": No space left on device.");
    EXPECT_EQ(testing::ReadFileBytes(pdf), old) << "the old file byte for byte";
    EXPECT_EQ(folder.EntryCount(), 1u) << "no temporary file is left";

    DiskFileOps disk;
    EXPECT_TRUE(PrintTapeToPdf(tape, pdf.string(), platform, disk));
    EXPECT_EQ(platform.Messages().size(), 1u) << "nothing more is said";
    const std::string written = testing::ReadFileBytes(pdf);
    EXPECT_TRUE(written.starts_with("%PDF-")) << written.substr(0, 16);
    ASSERT_GT(written.size(), 4096u);
    EXPECT_TRUE(written.ends_with("\n%%EOF\n")) << written.substr(written.size() - 16);
    EXPECT_EQ(folder.EntryCount(), 1u);
}

} // namespace
} // namespace sumwise::qt
