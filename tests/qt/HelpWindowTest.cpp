#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>
#include <cstdio>
#include <gtest/gtest.h>
#include <unistd.h>

#include <sys/stat.h>

#include "qt/MessageWatch.h"
#include "qt/services/HelpOpener.h"
#include "qt/services/HelpWindow.h"
#include "qt/services/QtPlatform.h"
#include "qt/window/MainWindow.h"

namespace sumwise::qt {
namespace {

bool WriteFile(const QString& path, const QByteArray& text) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

// A help page long enough to scroll, with a link of each kind.
QByteArray TestPage() {
    QByteArray page =
        "<html><body><h1>Test Help</h1>"
        "<p><a href=\"#far\">Far away</a> <a href=\"http://example.org/x\">web</a> "
        "<a href=\"../outside.html\">outside</a> <a href=\"other.html\">other</a></p>";
    for (int i = 0; i < 200; ++i) {
        page += "<p>Filler line.</p>";
    }
    return page + "<h2 id=\"far\">Far section</h2><p>The end.</p></body></html>";
}

// The help in a temporary folder and a desktop opener made to fail, as on a machine with no
// browser.
class HelpWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        ASSERT_TRUE(WriteFile(page(), TestPage()));
        ASSERT_TRUE(WriteFile(folder.filePath("help/other.html"), "<h1>Other</h1>"));
        ASSERT_TRUE(WriteFile(folder.filePath("outside.html"), "<h1>Outside</h1>"));
        platform.Help().setFolder(folder.path());
        useOpener("exit 3"); // xdg-open's answer when no program handles the file
    }
    void TearDown() override { finishOpeners(platform); }
    // Openers still running when the test ends would outlive it, as a browser outlives the
    // program.
    static void finishOpeners(QtPlatform& owner) {
        EXPECT_TRUE(QTest::qWaitFor([&owner] { return !owner.Help().openerRunning(); }, 5000));
    }

    QString page() const { return folder.filePath("help/index.html"); }
    // A stand-in for xdg-open: records what it was asked to open, then runs body.
    void useOpener(const QByteArray& body) {
        const QString script = folder.filePath("opener.sh");
        ASSERT_TRUE(WriteFile(script, "#!/bin/sh\necho \"$1\" > \"$0.asked\"\n" + body + "\n"));
        QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        platform.Help().setOpener(script);
    }
    QString askedToOpen() const {
        QFile asked(folder.filePath("opener.sh.asked"));
        return asked.open(QIODevice::ReadOnly) ? QString::fromUtf8(asked.readAll()).trimmed()
                                               : QString();
    }
    HelpWindow* shownHelp() {
        EXPECT_TRUE(QTest::qWaitFor(
            [this] {
                return platform.Help().window() != nullptr && platform.Help().window()->isVisible();
            },
            5000));
        return platform.Help().window();
    }

    QTemporaryDir folder;
    QtPlatform platform;
};

TEST_F(HelpWindowTest, FailingOpenerShowsOneHelpWindowThatEscapeCloses) {
    platform.OpenHelp();
    HelpWindow* help = shownHelp();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(askedToOpen(), page());
    EXPECT_EQ(help->windowTitle(), "Sumwise Help");
    EXPECT_EQ(help->windowModality(), Qt::NonModal);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(help->browser()->document()->firstBlock().text(), "Test Help");

    QTest::keyClick(help->browser(), Qt::Key_Escape);
    EXPECT_FALSE(help->isVisible());
    platform.OpenHelp();
    platform.OpenHelp(); // asked twice: raised, not doubled
    EXPECT_EQ(shownHelp(), help);
    int helpWindows = 0;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        helpWindows += top->objectName() == "frmHelp" ? 1 : 0;
    }
    EXPECT_EQ(helpWindows, 1);
}

TEST_F(HelpWindowTest, OpenerOutcomeDecidesOnTheWindow) {
    struct Case {
        const char* opener;
        bool builtinInEnvironment; // SUMWISE_HELP=builtin
        bool window;
        bool openerRun;
    } cases[] = {
        {"exit 0", false, false, true},
        {"exit 4", false, true, true},
        {"kill -KILL $$", false, true, true},
        {"exit 0", true, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.opener);
        QtPlatform fresh;
        fresh.Help().setFolder(folder.path());
        if (c.builtinInEnvironment) {
            qputenv("SUMWISE_HELP", "builtin");
        }
        QFile::remove(folder.filePath("opener.sh.asked"));
        useOpener(c.opener);
        fresh.Help().setOpener(folder.filePath("opener.sh"));
        fresh.OpenHelp();
        // Either the window comes, or the opener's good exit has been seen and nothing came.
        (void)QTest::qWaitFor([&] { return fresh.Help().window() != nullptr; },
                              c.window ? 5000 : 1000);
        qunsetenv("SUMWISE_HELP");
        finishOpeners(fresh);
        EXPECT_EQ(fresh.Help().window() != nullptr, c.window);
        EXPECT_EQ(!askedToOpen().isEmpty(), c.openerRun);
    }
}

TEST_F(HelpWindowTest, OpenerWritesNothingOnTheProgramsStandardOutput) {
    // Standard output carries Save Result's value to a host; the opener's chatter stays off it.
    useOpener("echo opener-noise; exit 0");
    QTemporaryFile captured;
    ASSERT_TRUE(captured.open());
    std::fflush(stdout);
    const int saved = ::dup(STDOUT_FILENO);
    ::dup2(captured.handle(), STDOUT_FILENO);
    platform.OpenHelp();
    const bool asked = QTest::qWaitFor([this] { return !askedToOpen().isEmpty(); }, 5000);
    QTest::qWait(300);
    std::fflush(stdout);
    ::dup2(saved, STDOUT_FILENO);
    ::close(saved);
    EXPECT_TRUE(asked);
    captured.seek(0);
    EXPECT_FALSE(captured.readAll().contains("opener-noise"));
}

TEST_F(HelpWindowTest, AnchorLinkScrollsWithinTheWindow) {
    platform.Help().setBuiltin(true);
    platform.OpenHelp();
    HelpWindow* help = shownHelp();
    ASSERT_NE(help, nullptr);
    QTextBrowser* browser = help->browser();
    ASSERT_EQ(browser->verticalScrollBar()->value(), 0);
    // The first link, reached and followed from the keyboard.
    browser->setFocus();
    QTest::keyClick(browser, Qt::Key_Tab);
    QTest::keyClick(browser, Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([browser] { return browser->source().fragment() == "far"; }));
    EXPECT_GT(browser->verticalScrollBar()->value(), 0);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(browser->document()->firstBlock().text(), "Test Help"); // the same page
}

TEST_F(HelpWindowTest, LinksStayInsideTheHelpOrGoToTheDesktop) {
    struct Case {
        const char* href;
        const char* shownFile; // the page shown afterwards
        bool external;
    } cases[] = {
        {"other.html", "other.html", false},          {"http://example.org/x", "index.html", true},
        {"../outside.html", "index.html", false},     {"file:///etc/passwd", "index.html", false},
        {"javascript:alert(1)", "index.html", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.href);
        HelpWindow help;
        QSignalSpy external(&help, &HelpWindow::externalLinkClicked);
        help.showPage(page());
        emit help.browser()->anchorClicked(QUrl(c.href));
        EXPECT_EQ(QFileInfo(help.browser()->source().toLocalFile()).fileName(), c.shownFile);
        ASSERT_EQ(external.count(), c.external ? 1 : 0);
        if (c.external) {
            EXPECT_EQ(external.at(0).at(0).toUrl(), QUrl(c.href));
        }
    }
}

TEST_F(HelpWindowTest, MissingHelpIsReportedOnceWithItsPath) {
    ASSERT_TRUE(QFile::remove(page()));
    // Sumwise.chm is there but opens nowhere, so the HTML help is what is missing.
    ASSERT_TRUE(WriteFile(folder.filePath("Sumwise.chm"), "not really"));
    for (bool builtin : {true, false}) {
        SCOPED_TRACE(builtin);
        QtPlatform fresh;
        fresh.Help().setFolder(folder.path());
        fresh.Help().setBuiltin(builtin);
        fresh.Help().setOpener(folder.filePath("opener.sh"));
        MessageWatch watch;
        fresh.OpenHelp();
        EXPECT_TRUE(QTest::qWaitFor([&watch] { return !watch.seen.isEmpty(); }, 5000));
        QTest::qWait(100);
        ASSERT_EQ(watch.seen.size(), 1);
        EXPECT_TRUE(watch.seen[0].startsWith("Sumwise|"));
        EXPECT_TRUE(watch.seen[0].contains(QDir::toNativeSeparators(page())))
            << watch.seen[0].toStdString();
        EXPECT_EQ(fresh.Help().window(), nullptr);
    }
}

TEST_F(HelpWindowTest, AFifoInThePlaceOfAPageOrStyleSheetIsNeverOpened) {
    // The page itself, then the style sheet beside a good page: neither may block the window.
    const QString fifos[] = {page(), folder.filePath("help/style.css")};
    for (const QString& fifo : fifos) {
        SCOPED_TRACE(fifo.toStdString());
        QFile::remove(page());
        ASSERT_TRUE(WriteFile(page(), TestPage()));
        QFile::remove(fifo);
        ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QtPlatform fresh;
        fresh.Help().setFolder(folder.path());
        fresh.Help().setBuiltin(true);
        MessageWatch watch;
        fresh.OpenHelp();
        QTest::qWait(100);
        if (fifo == page()) {
            ASSERT_EQ(watch.seen.size(), 1);
            EXPECT_TRUE(watch.seen[0].contains("is not a regular file"))
                << watch.seen[0].toStdString();
            EXPECT_EQ(fresh.Help().window(), nullptr);
        } else {
            EXPECT_TRUE(watch.seen.isEmpty());
            ASSERT_NE(fresh.Help().window(), nullptr);
        }
        QFile::remove(fifo);
    }
}

// A platform whose program folder is a temporary one, so the real window keeps its files there.
class PlatformInFolder : public QtPlatform {
public:
    explicit PlatformInFolder(QString folder) : folder_(std::move(folder)) {}
    std::string ProgramFolder() override { return folder_.toStdString(); }

private:
    QString folder_;
};

TEST_F(HelpWindowTest, F1AndHelpTopicsShareTheWindowThatClosesWithTheCalculator) {
    PlatformInFolder services(folder.path());
    services.Help().setFolder(folder.path());
    services.Help().setBuiltin(true);
    MainWindow window(services);
    services.SetDialogParent(&window);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    QTest::keyClick(&window, Qt::Key_F1);
    HelpWindow* help = services.Help().window();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    help->close();
    window.activateWindow();
    window.findChild<QAction*>("mnuHelp")->trigger();
    EXPECT_EQ(services.Help().window(), help);
    EXPECT_TRUE(help->isVisible());

    window.close();
    EXPECT_FALSE(help->isVisible());
}

TEST(HelpWindowPlaceTest, BesideTheCalculatorWhereTheScreenHasRoom) {
    const QRect screen(0, 0, 1280, 900);
    const QSize size(720, 760);
    struct Case {
        QRect calculator;
        QPoint topLeft;
    } cases[] = {
        {QRect(20, 50, 400, 300), QPoint(428, 50)},   // right of it
        {QRect(800, 50, 400, 300), QPoint(72, 50)},   // no room on the right: left of it
        {QRect(20, 700, 400, 150), QPoint(428, 140)}, // low on the screen: raised to fit
        {QRect(300, 50, 600, 300), QPoint(280, 70)},  // no room either side: centred
        {QRect(), QPoint(280, 70)},                   // no calculator shown
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HelpWindowPlace(screen, c.calculator, size), QRect(c.topLeft, size))
            << c.calculator.x() << "," << c.calculator.y();
    }
    // Narrower on the side with more room, rather than over the calculator.
    EXPECT_EQ(HelpWindowPlace(screen, QRect(67, 48, 582, 270), size), QRect(657, 48, 623, 760));
    EXPECT_EQ(HelpWindowPlace(screen, QRect(631, 48, 582, 270), size), QRect(0, 48, 623, 760));
    // A small screen shrinks the window to fit.
    EXPECT_EQ(HelpWindowPlace(QRect(0, 0, 800, 600), QRect(), size), QRect(40, 30, 720, 540));
}

// The help shipped with the program: its first heading shows, and every link within the page
// leads to a place the help window knows.
TEST(ShippedHelpTest, EveryAnchorLinkHasItsTarget) {
    HelpWindow help;
    help.showPage(SUMWISE_HELP_DIR "/index.html");
    QTextDocument* document = help.browser()->document();
    EXPECT_EQ(document->firstBlock().text(), "Sumwise Help");

    QSet<QString> targets;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            for (const QString& name : fragment.fragment().charFormat().anchorNames()) {
                targets.insert(name);
            }
        }
    }
    QFile file(SUMWISE_HELP_DIR "/index.html");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(file.readAll());
    int links = 0;
    for (const auto& match : QRegularExpression("href=\"#([^\"]+)\"").globalMatch(html)) {
        ++links;
        EXPECT_TRUE(targets.contains(match.captured(1))) << match.captured(1).toStdString();
    }
    EXPECT_GT(links, 10);
}

} // namespace
} // namespace sumwise::qt
