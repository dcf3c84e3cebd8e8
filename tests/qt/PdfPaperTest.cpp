#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "qt/services/PrinterSurface.h"
#include "qt/services/QtPlatform.h"
#include "support/FakePlatform.h"
#include "tape/Tape.h"
#include "tape/TapePrinter.h"

namespace sumwise::qt {
namespace {

// The child run below reads what to do from here; the suite's own run leaves it unset.
constexpr const char* kChildTask = "SUMWISE_PAPER_CHILD";

// PDF files through the real Qt platform.
class PdfPlatform : public testing::FakePlatform {
public:
    std::unique_ptr<PageSurface> OpenPdf() override { return qt.OpenPdf(); }
    QtPlatform qt;
    DiskFileOps files;
};

Tape SmallTape() {
    Tape tape;
    tape.AddTapeLine("+ 12.50");
    tape.AddTapeLine("= 12.50");
    return tape;
}

// The first page's size in points, as pdfinfo reads it from the file.
QSizeF PageSizeOf(const QString& pdf) {
    QProcess process;
    process.start("pdfinfo", {pdf});
    process.waitForFinished(30000);
    const QString info = QString::fromUtf8(process.readAllStandardOutput());
    const auto match = QRegularExpression("Page size:\\s+([\\d.]+) x ([\\d.]+) pts").match(info);
    return match.hasMatch() ? QSizeF(match.captured(1).toDouble(), match.captured(2).toDouble())
                            : QSizeF();
}

constexpr double kLetterWidth = 612, kLetterHeight = 792;
constexpr double kA4Width = 595.28, kA4Height = 841.89;

TEST(PdfPaper, LetterInTheUnitedStatesAndCanadaA4Elsewhere) {
    const std::pair<QLocale::Territory, QPageSize::PageSizeId> cases[] = {
        {QLocale::UnitedStates, QPageSize::Letter}, {QLocale::Canada, QPageSize::Letter},
        {QLocale::Germany, QPageSize::A4},          {QLocale::UnitedKingdom, QPageSize::A4},
        {QLocale::France, QPageSize::A4},           {QLocale::Mexico, QPageSize::A4},
        {QLocale::AnyTerritory, QPageSize::A4},
    };
    for (const auto& [territory, paper] : cases) {
        EXPECT_EQ(LocalePaperSize(territory), paper)
            << QLocale::territoryToString(territory).toStdString();
    }
}

TEST(PdfPaper, FileThatCannotBeWrittenIsReported) {
    QTemporaryDir dir;
    PdfPlatform platform;
    const std::string missing = dir.filePath("no such folder/tape.pdf").toStdString();
    EXPECT_FALSE(PrintTapeToPdf(SmallTape(), missing, platform, platform.files));
    ASSERT_EQ(platform.Messages().size(), 1u);
    EXPECT_NE(platform.Messages()[0].text.find(missing), std::string::npos);

    if (QFileInfo::exists("/dev/full")) {
        // A device is never written to; a disk that fills up is tried in PrintPdfTest.
        EXPECT_FALSE(PrintTapeToPdf(SmallTape(), "/dev/full", platform, platform.files));
        ASSERT_EQ(platform.Messages().size(), 2u);
        EXPECT_EQ(platform.Messages()[1].text,
                  "The tape could not be saved as /dev/full: not a regular file.");
    }
}

// Run only as a child of the test below, under the locale it was given: prints a PDF through
// the real platform, to the path named or as the print key does without a printer.
TEST(PdfPaperChild, PrintsUnderTheGivenLocale) {
    const QString task = qEnvironmentVariable(kChildTask);
    if (task.isEmpty()) {
        GTEST_SKIP() << "run by LocalePaperDecidesThePdf";
    }
    PdfPlatform platform;
    if (task == "printer") {
        // The real desktop with the fake's dialogs, so no message box waits for a click.
        PrintTape(SmallTape(), platform, platform.qt, platform, platform.files);
        ASSERT_EQ(platform.Messages().size(), 1u);
        EXPECT_NE(platform.Messages()[0].text.find(". The tape is saved as "), std::string::npos)
            << platform.Messages()[0].text;
    } else {
        EXPECT_TRUE(PrintTapeToPdf(SmallTape(), task.toStdString(), platform, platform.files));
    }
}

QSizeF PaperInChild(const QString& locale, const QString& task, const QString& home) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LC_ALL", locale);
    environment.insert("HOME", home);
    environment.insert("XDG_CONFIG_HOME", home + "/config");
    environment.insert(kChildTask, task);
    QProcess child;
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(),
                {"--gtest_filter=PdfPaperChild.PrintsUnderTheGivenLocale"});
    child.waitForFinished(60000);
    EXPECT_EQ(child.exitCode(), 0) << child.readAllStandardOutput().toStdString();
    if (task != "printer") {
        return PageSizeOf(task);
    }
    const QStringList saved = QDir(home + "/Documents").entryList({"Sumwise Tape *.pdf"});
    return saved.size() == 1 ? PageSizeOf(home + "/Documents/" + saved[0]) : QSizeF();
}

TEST(PdfPaper, LocalePaperDecidesThePdf) {
    if (QStandardPaths::findExecutable("pdfinfo").isEmpty()) {
        GTEST_SKIP() << "poppler-utils is not installed";
    }
    const struct {
        const char* locale;
        double width, height;
    } cases[] = {{"en_US.UTF-8", kLetterWidth, kLetterHeight},
                 {"fr_CA.UTF-8", kLetterWidth, kLetterHeight},
                 {"de_DE.UTF-8", kA4Width, kA4Height},
                 {"en_GB.UTF-8", kA4Width, kA4Height}};
    for (const auto& c : cases) {
        for (const bool printKey : {false, true}) {
            SCOPED_TRACE(std::string(c.locale) + (printKey ? " print key" : " file"));
            if (printKey && !QPrinterInfo::defaultPrinter().isNull()) {
                continue; // a real printer would take the job
            }
            QTemporaryDir home;
            const QString target = printKey ? QString("printer") : home.filePath("tape.pdf");
            const QSizeF size = PaperInChild(c.locale, target, home.path());
            EXPECT_NEAR(size.width(), c.width, 0.5);
            EXPECT_NEAR(size.height(), c.height, 0.5);
        }
    }
}

} // namespace
} // namespace sumwise::qt
