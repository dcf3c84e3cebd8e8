#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <set>

#include "qt/PrinterSurface.h"
#include "support/FakePlatform.h"
#include "tape/Tape.h"
#include "tape/TapeLine.h"
#include "tape/TapePrinter.h"

namespace sumwise::qt {
namespace {

// Prints into a PDF file instead of a printer.
class PdfPlatform : public testing::FakePlatform {
public:
    explicit PdfPlatform(QString path) : path_(std::move(path)) {}
    std::unique_ptr<PageSurface> OpenPrinter() override {
        return OpenPdfSurface(path_, QPageSize::Letter);
    }

private:
    QString path_;
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
    PdfPlatform platform(pdf);
    PrintTape(tape, platform);

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

} // namespace
} // namespace sumwise::qt
