#include "qt/services/HelpOpener.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QWidget>
#include <algorithm>
#include <utility>

#include "platform/FileOps.h"
#include "qt/services/HelpWindow.h"

namespace sumwise::qt {

namespace {

// Inside Flatpak or Snap only the desktop portal can open anything, and Qt goes through it.
bool Sandboxed() {
    return QFileInfo::exists("/.flatpak-info") || qEnvironmentVariableIsSet("SNAP");
}

} // namespace

HelpOpener::HelpOpener(std::function<void(const QString&)> report,
                       std::function<void(const QUrl&)> openExternal)
    : report_(std::move(report)), openExternal_(std::move(openExternal)) {}

HelpOpener::~HelpOpener() {
    delete window_.data();
    // An opener still running may be the browser itself, kept in the foreground: it outlives
    // the program rather than being killed with it.
    for (QProcess* process : findChildren<QProcess*>(Qt::FindDirectChildrenOnly)) {
        if (process->state() != QProcess::NotRunning) {
            process->setParent(nullptr);
        }
    }
}

bool HelpOpener::openerRunning() const {
    const QList<QProcess*> processes = findChildren<QProcess*>(Qt::FindDirectChildrenOnly);
    return std::any_of(processes.begin(), processes.end(), [](const QProcess* process) {
        return process->state() != QProcess::NotRunning;
    });
}

void HelpOpener::setParentWindow(QWidget* window) {
    if (!parentWindow_.isNull()) {
        parentWindow_->removeEventFilter(this);
    }
    parentWindow_ = window;
    if (window != nullptr) {
        window->installEventFilter(this);
    }
}

bool HelpOpener::eventFilter(QObject* watched, QEvent* event) {
    // Hidden for good (closed, or put away by Save Result), not minimized: a minimized window
    // still counts as visible.
    if (watched == parentWindow_ && event->type() == QEvent::Hide && !parentWindow_->isVisible() &&
        !window_.isNull()) {
        window_->close();
    }
    return QObject::eventFilter(watched, event);
}

HelpWindow* HelpOpener::window() const {
    return window_.data();
}

QString HelpOpener::folder() const {
    return folder_.isEmpty() ? QCoreApplication::applicationDirPath() : folder_;
}

QString HelpOpener::pagePath() const {
    return QDir::cleanPath(folder() + "/help/index.html");
}

bool HelpOpener::builtinChosen() const {
    return builtin_ || qEnvironmentVariable("SUMWISE_HELP") == QLatin1String("builtin");
}

void HelpOpener::open() {
    if (builtinChosen()) {
        showBuiltin();
        return;
    }
    const QString chm = QDir::cleanPath(folder() + "/Sumwise.chm");
    const QString path = QFileInfo::exists(chm) ? chm : pagePath();
    if (!QFileInfo::exists(path)) {
        showBuiltin(); // which says the help is missing
        return;
    }
    if (!refusedAsSpecial(path)) {
        openWithDesktop(path);
    }
}

void HelpOpener::openWithDesktop(const QString& path) {
    const QString program = QStandardPaths::findExecutable(opener_);
    if (Sandboxed() || program.isEmpty()) {
        if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path))) {
            showBuiltin();
        }
        return;
    }
    runOpener(program, path);
}

void HelpOpener::runOpener(const QString& program, const QString& path) {
    // The process object goes once the opener has finished, or with this object.
    auto* process = new QProcess(this);
    // Its complaints stay visible; standard output is the saved result's, never the opener's.
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardInputFile(QProcess::nullDevice());
    QElapsedTimer started;
    started.start();
    auto failed = [this, started] {
        if (!started.hasExpired(kOpenerGraceMilliseconds)) {
            showBuiltin();
        }
    };
    connect(process, &QProcess::finished, this, [failed](int code, QProcess::ExitStatus status) {
        if (status != QProcess::NormalExit || code != 0) {
            failed();
        }
    });
    connect(process, &QProcess::errorOccurred, this, [failed](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            failed();
        }
    });
    connect(process, &QProcess::finished, process, &QObject::deleteLater);
    connect(process, &QProcess::errorOccurred, process, [process](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            process->deleteLater();
        }
    });
    process->start(program, {path});
}

bool HelpOpener::refusedAsSpecial(const QString& path) {
    // A FIFO would block whoever reads it, a device never ends: only a regular file is help.
    if (!QFileInfo::exists(path) || IsRegularFile(QFile::encodeName(path).toStdString())) {
        return false;
    }
    report_("The help cannot be shown: " + QDir::toNativeSeparators(path) + " is " +
            kNotRegularFile + ".");
    return true;
}

void HelpOpener::showBuiltin() {
    const QString page = pagePath();
    if (refusedAsSpecial(page)) {
        return;
    }
    if (!QFileInfo(page).isFile()) {
        report_("The help cannot be shown: " + QDir::toNativeSeparators(page) + " was not found.");
        return;
    }
    if (window_.isNull()) {
        // A window of its own, not the calculator's child: either can be brought in front.
        window_ = new HelpWindow;
        connect(window_, &HelpWindow::externalLinkClicked, this,
                [this](const QUrl& url) { openExternal_(url); });
    }
    window_->showPage(page, parentWindow_);
}

} // namespace sumwise::qt
