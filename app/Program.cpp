#include "Program.h"

#include <QApplication>
#include <QIcon>
#include <QSessionManager>
#include <QTextStream>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "number/NumberText.h"
#include "platform/AppIdentity.h"
#include "qt/MainWindow.h"
#include "qt/QtPlatform.h"
#include "qt/ShutdownSignals.h"

namespace {

bool g_starting = true;
// The toolkit's first warning while it starts, which names the display and the reason
// ("could not connect to display :9"); its fatal message only says that no plugin started.
std::string g_startWarning;

// While the toolkit connects to the display, a failure ends the program with one clear line
// instead of Qt's abort.
void StartupMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg) {
        std::fprintf(stderr,
                     "sumwise: cannot open the graphical display; is DISPLAY or "
                     "WAYLAND_DISPLAY set?%s\n",
                     g_startWarning.empty() ? "" : (" (" + g_startWarning + ")").c_str());
        std::_Exit(1);
    }
    if (!g_starting) {
        std::fprintf(stderr, "%s\n", qPrintable(message));
    } else if (g_startWarning.empty()) {
        g_startWarning = message.section(QLatin1Char('\n'), 0, 0).trimmed().toStdString();
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

namespace sumwise::app {

int RunProgram(int argc, char* argv[], const std::function<void(QWidget&)>& beforeShow) {
    if (!HasDisplay()) {
        std::fprintf(stderr, "sumwise: no graphical display; set DISPLAY or WAYLAND_DISPLAY\n");
        return 1;
    }
    qInstallMessageHandler(StartupMessages);
    QApplication app(argc, argv);
    g_starting = false;
    qInstallMessageHandler(nullptr);
    QApplication::setApplicationName(kAppTitle);
    // Lets the desktop match the window to its entry and icon (Wayland needs this).
    QGuiApplication::setDesktopFileName(kAppId);
    QApplication::setWindowIcon(QIcon::fromTheme(kAppId));

    qt::QtPlatform services;
    qt::MainWindow window(services);
    services.SetDialogParent(&window);

    // Standalone there is no host to take the saved result: it goes to standard output, and
    // the program ends the normal way.
    QObject::connect(&window, &qt::MainWindow::resultSaved, &window, [&window] {
        QTextStream(stdout) << QString::fromStdString(
                                   GeneralNumber(window.form().Register().EntryValue()))
                            << '\n';
        window.close();
        QCoreApplication::quit();
    });

    // A kill, a closed terminal, Ctrl+C and the desktop session's end save the settings as
    // closing the window does.
    qt::ShutdownSignals shutdownSignals;
    QObject::connect(&shutdownSignals, &qt::ShutdownSignals::received, &window,
                     [&window] { window.requestClose(); });
    // The session manager may still cancel the logout: save, but keep running until it
    // ends the program.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window,
                     [&window](QSessionManager&) { window.saveNow(); });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &window,
                     [&window] { window.shutDown(); });

    if (beforeShow) {
        beforeShow(window);
    }
    window.show();
    return app.exec();
}

} // namespace sumwise::app
