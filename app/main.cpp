#include <QApplication>
#include <QIcon>
#include <QSessionManager>
#include <QTextStream>
#include <cstdio>
#include <cstdlib>

#include "number/NumberText.h"
#include "qt/MainWindow.h"
#include "qt/QtPlatform.h"
#include "qt/QuitAfterFirstFrame.h"
#include "qt/ShutdownSignals.h"

namespace {

bool g_starting = true;

// While the toolkit connects to the display, a failure ends the program with one clear line
// instead of Qt's abort.
void StartupMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "sumwise: cannot open the graphical display; is DISPLAY or "
                             "WAYLAND_DISPLAY set?\n");
        std::_Exit(1);
    }
    if (!g_starting) {
        std::fprintf(stderr, "%s\n", qPrintable(message));
    }
}

bool HasDisplay() {
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        return true; // the user chose a platform (offscreen, vnc, ...)
    }
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

} // namespace

int main(int argc, char* argv[]) {
    if (!HasDisplay()) {
        std::fprintf(stderr, "sumwise: no graphical display; set DISPLAY or WAYLAND_DISPLAY\n");
        return 1;
    }
    qInstallMessageHandler(StartupMessages);
    QApplication app(argc, argv);
    g_starting = false;
    qInstallMessageHandler(nullptr);
    QApplication::setApplicationName("Sumwise");
    // Lets the desktop match the window to its entry and icon (Wayland needs this).
    QGuiApplication::setDesktopFileName("io.github.sumwise.Sumwise");
    QApplication::setWindowIcon(QIcon::fromTheme("io.github.sumwise.Sumwise"));

    sumwise::qt::QtPlatform services;
    sumwise::qt::MainWindow window(services);
    services.SetDialogParent(&window);

    // Standalone there is no host to take the saved result: it goes to standard output, and
    // the program ends the normal way.
    QObject::connect(&window, &sumwise::qt::MainWindow::resultSaved, &window, [&window] {
        QTextStream(stdout) << QString::fromStdString(
                                   sumwise::GeneralNumber(window.form().Register().EntryValue))
                            << '\n';
        window.close();
        QCoreApplication::quit();
    });

    // A kill, a closed terminal, Ctrl+C and the desktop session's end save the settings as
    // closing the window does.
    sumwise::qt::ShutdownSignals shutdownSignals;
    QObject::connect(&shutdownSignals, &sumwise::qt::ShutdownSignals::received, &window,
                     [&window] { window.requestClose(); });
    // The session manager may still cancel the logout: save, but keep running until it
    // ends the program.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window,
                     [&window](QSessionManager&) { window.saveNow(); });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &window,
                     [&window] { window.shutDown(); });

    if (qEnvironmentVariableIsSet(sumwise::qt::QuitAfterFirstFrame::kVariable)) {
        window.installEventFilter(new sumwise::qt::QuitAfterFirstFrame(&window));
    }
    window.show();
    return app.exec();
}
