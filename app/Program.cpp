#include "Program.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QSessionManager>
#include <QTextStream>
#include <QTimer>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <mutex>
#include <string>
#include <system_error>
#include <vector>

#include "CommandLine.h"
#include "number/NumberText.h"
#include "platform/AppIdentity.h"
#include "qt/services/QtPlatform.h"
#include "qt/services/ShutdownSignals.h"
#include "qt/window/MainWindow.h"

namespace {

// What the toolkit says while it connects to the display. A failure there ends the program
// with one clear line naming the toolkit's reason ("could not connect to display :9"), as its
// fatal message only says that no plugin started. The other messages are held and handed to
// the handler before once the start is over, so a start that works loses none of them.
//
// Qt's handler is a plain function: it reaches the one object, made by the start for the
// toolkit's construction, through a pointer set for that time only.
class StartMessages {
public:
    StartMessages() {
        const std::lock_guard hold(lock_);
        current_ = this;
        previous_ = qInstallMessageHandler(Handle);
    }
    ~StartMessages() { End(); }
    StartMessages(const StartMessages&) = delete;
    StartMessages& operator=(const StartMessages&) = delete;

    // Puts the handler before back and passes it the messages held.
    void End() {
        {
            const std::lock_guard hold(lock_);
            if (current_ != this) {
                return;
            }
            qInstallMessageHandler(previous_);
            current_ = nullptr;
        }
        for (const Held& message : held_) {
            const QMessageLogContext context(
                nullptr, 0, nullptr, message.category.empty() ? nullptr : message.category.c_str());
            previous_(message.type, context, message.text);
        }
        held_.clear();
    }

private:
    struct Held {
        QtMsgType type;
        std::string category;
        QString text;
    };

    static void Handle(QtMsgType type, const QMessageLogContext& context, const QString& message) {
        // Qt may report from a thread of its own (the X11 connection reads events on one).
        const std::lock_guard hold(lock_);
        StartMessages* start = current_;
        if (start == nullptr) {
            // Reached from another thread just as the start put the handler back.
            std::fprintf(stderr, "%s\n", qPrintable(message));
            return;
        }
        if (type == QtFatalMsg) {
            const std::string reason = start->reason_.empty() ? "" : " (" + start->reason_ + ")";
            std::fprintf(stderr,
                         "sumwise: cannot open the graphical display; is DISPLAY or "
                         "WAYLAND_DISPLAY set?%s\n",
                         reason.c_str());
            std::_Exit(1);
        }
        if (start->reason_.empty() && (type == QtWarningMsg || type == QtCriticalMsg)) {
            start->reason_ = message.section(QLatin1Char('\n'), 0, 0).trimmed().toStdString();
        }
        start->held_.push_back(
            {type, context.category != nullptr ? context.category : "", message});
    }

    static inline std::mutex lock_;
    static inline StartMessages* current_ = nullptr;
    QtMessageHandler previous_ = nullptr;
    std::string reason_; // the first warning's first line
    std::vector<Held> held_;
};

bool HasDisplay() {
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        return true; // the user chose a platform (offscreen, vnc, ...)
    }
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

} // namespace

namespace sumwise::app {

namespace {

// Wires the window to the ways the program ends: Save Result, signals and the session.
void ConnectEnding(QApplication& app, qt::MainWindow& window,
                   qt::ShutdownSignals& shutdownSignals) {
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
    QObject::connect(&shutdownSignals, &qt::ShutdownSignals::received, &window,
                     [&window] { window.requestClose(); });
    // The session manager may still cancel the logout: save, but keep running until it
    // ends the program.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window,
                     [&window](QSessionManager&) { window.saveNow(); });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &window,
                     [&window] { window.shutDown(); });
}

// The tape file named on the command line, opened once the event loop runs, so that a
// message box about a refused file comes up over the shown window.
void OpenTapeFileLater(qt::MainWindow& window, const std::string& given) {
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::current_path(error);
    const std::string path = error ? given : TapeFilePath(given, folder.string());
    QTimer::singleShot(0, &window,
                       [&window, path] { window.openTapeFile(QString::fromStdString(path)); });
}

} // namespace

int RunProgram(int argc, char* argv[], const std::function<void(QWidget&)>& beforeShow) {
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.emplace_back(argv[i]);
    }
    CommandLine line = ParseCommandLine(arguments);
    if (line.action != CommandLine::Action::Run) {
        return AnswerCommandLine(line, std::cout, std::cerr);
    }
    if (!HasDisplay()) {
        std::fprintf(stderr, "sumwise: no graphical display; set DISPLAY or WAYLAND_DISPLAY\n");
        return 1;
    }
    // Qt sees only its own options, so a tape file's name is never taken for one of them.
    // Started with no name at all (an empty argv), Qt still gets one.
    char fallbackName[] = "sumwise";
    std::vector<char*> toolkitArgv{argc > 0 && argv[0] != nullptr ? argv[0] : fallbackName};
    for (std::string& argument : line.toolkitArguments) {
        toolkitArgv.push_back(argument.data());
    }
    int toolkitArgc = static_cast<int>(toolkitArgv.size());
    toolkitArgv.push_back(nullptr);

    StartMessages startMessages;
    QApplication app(toolkitArgc, toolkitArgv.data());
    startMessages.End();
    QApplication::setApplicationName(kAppTitle);
    // Lets the desktop match the window to its entry and icon (Wayland needs this).
    QGuiApplication::setDesktopFileName(kAppId);
    QApplication::setWindowIcon(QIcon::fromTheme(kAppId));
    // Qt's own dialogs and buttons speak the user's language where Qt has a translation.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(), "qtbase", "_",
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtTexts);
    }

    qt::QtPlatform services;
    qt::MainWindow window(services);
    services.SetDialogParent(&window);
    qt::ShutdownSignals shutdownSignals;
    ConnectEnding(app, window, shutdownSignals);

    if (beforeShow) {
        beforeShow(window);
    }
    window.show();
    if (!line.tapeFile.empty()) {
        OpenTapeFileLater(window, line.tapeFile);
    }
    return app.exec();
}

} // namespace sumwise::app
