// The system printer is reached through the print module, loaded at the first print.
#include <QDir>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "qt/MessageWatch.h"
#include "qt/PrintModule.h"
#include "qt/QtPlatform.h"
#include "support/FakePlatform.h"
#include "tape/TapePrinter.h"

namespace sumwise::qt {
namespace {

TEST(PrintModule, TheBuiltModuleAnswersForTheDefaultPrinter) {
    PrintModule module;
    module.setPath(SUMWISE_PRINT_MODULE);
    const std::unique_ptr<PageSurface> printer = module.openDefaultPrinter();
    EXPECT_TRUE(module.failure().isEmpty()) << module.failure().toStdString();
    EXPECT_EQ(printer != nullptr, !QPrinterInfo::defaultPrinter().isNull());
    // Asked again, the loaded module answers alike.
    EXPECT_EQ(module.openDefaultPrinter() != nullptr, printer != nullptr);
}

TEST(PrintModule, WithoutTheModuleThePagesGoToAPdfAndTheMessageSaysWhy) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", home.path().toLocal8Bit());
    const QString missing = home.filePath("nowhere/libsumwise-print.so");
    Tape tape;
    tape.AddTapeLine("+ 1.00");
    testing::FakePlatform window;
    {
        MessageWatch watch;
        QtPlatform platform;
        platform.Printing().setPath(missing);
        EXPECT_EQ(platform.OpenPrinter(), nullptr);
        DiskFileOps files;
        PrintTape(tape, platform, platform, window, files);
        ASSERT_EQ(watch.seen.size(), 1);
        const QString text = watch.seen.first();
        EXPECT_TRUE(text.startsWith("Sumwise|The printer cannot be reached: "))
            << text.toStdString();
        EXPECT_TRUE(text.contains(missing)) << "the file is named: " << text.toStdString();
        EXPECT_TRUE(text.contains(". The tape is saved as " + home.path())) << text.toStdString();
    }
    qputenv("HOME", oldHome);
    const QStringList made = QDir(home.filePath("Documents")).entryList(QDir::Files);
    ASSERT_EQ(made.size(), 1) << made.join(", ").toStdString();
    EXPECT_TRUE(made[0].startsWith("Sumwise Tape ") && made[0].endsWith(".pdf"));
}

} // namespace
} // namespace sumwise::qt
