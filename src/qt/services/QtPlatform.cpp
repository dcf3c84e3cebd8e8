#include "qt/services/QtPlatform.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLocale>
#include <QMessageBox>
#include <QScreen>
#include <QStandardPaths>
#include <QSysInfo>
#include <QUrl>
#include <algorithm>

#include "platform/AppIdentity.h"
#include "qt/services/DefaultPrinter.h"
#include "qt/services/HelpOpener.h"
#include "qt/services/PrinterSurface.h"

namespace sumwise::qt {

QtPlatform::QtPlatform()
    : help_(std::make_unique<HelpOpener>(
          [this](const QString& text) {
              MsgBox(text.toStdString(), kAppTitle, MsgIcon::Exclamation, MsgButtons::Ok);
          },
          [this](const QUrl& url) {
              // The help window's web links: with no browser the user learns why nothing opens.
              if (!QDesktopServices::openUrl(url)) {
                  MsgBox("No program is set up to open " + url.toString().toStdString(), kAppTitle,
                         MsgIcon::Exclamation, MsgButtons::Ok);
              }
          })) {}

QtPlatform::~QtPlatform() = default;

void QtPlatform::SetDialogParent(QWidget* parent) {
    parent_ = parent;
    help_->setParentWindow(parent);
}

namespace {

void SetUp(QMessageBox& box, const std::string& text, const std::string& title, MsgIcon icon) {
    box.setWindowTitle(QString::fromStdString(title));
    box.setText(QString::fromStdString(text));
    switch (icon) {
    case MsgIcon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case MsgIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case MsgIcon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case MsgIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MsgIcon::None:
        break;
    }
}

} // namespace

void QtPlatform::Notice(const std::string& text, const std::string& title, MsgIcon icon) {
    // Shown beside the window, never activated: the keys being typed go on reaching the
    // calculator, and a click on OK closes it.
    auto* box = new QMessageBox(parent_);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setAttribute(Qt::WA_ShowWithoutActivating);
    box->setWindowFlag(Qt::WindowDoesNotAcceptFocus);
    box->setWindowModality(Qt::NonModal);
    SetUp(*box, text, title, icon);
    box->setStandardButtons(QMessageBox::Ok);
    if (parent_ != nullptr) {
        // Under the window rather than over its display, or above it where the screen ends.
        // The box's frame is not known before it shows: the window's own stands in for it.
        const QWidget* window = parent_->window();
        const QRect frame = window->frameGeometry();
        const QRect screen = window->screen()->availableGeometry();
        const int titleBar = window->geometry().top() - frame.top();
        const int height = box->sizeHint().height() + frame.height() - window->height();
        const int top = frame.bottom() + 1 + height <= screen.bottom()
                            ? frame.bottom() + 1
                            : std::max(screen.top(), frame.top() - height);
        box->move(window->geometry().left(), top + titleBar);
    }
    box->show();
}

MsgAnswer QtPlatform::MsgBox(const std::string& text, const std::string& title, MsgIcon icon,
                             MsgButtons buttons) {
    QMessageBox box(parent_);
    SetUp(box, text, title, icon);
    if (buttons == MsgButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        return box.exec() == QMessageBox::Yes ? MsgAnswer::Yes : MsgAnswer::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return MsgAnswer::Ok;
}

std::string QtPlatform::InputBox(const std::string& prompt, const std::string& title,
                                 const std::string& proposal) {
    return AskText(prompt, title, proposal).value_or(std::string());
}

std::optional<std::string> QtPlatform::AskText(const std::string& prompt, const std::string& title,
                                               const std::string& proposal) {
    QInputDialog dialog(parent_);
    dialog.setWindowTitle(QString::fromStdString(title));
    dialog.setLabelText(QString::fromStdString(prompt));
    dialog.setTextValue(QString::fromStdString(proposal));
    // Qt's box is about 200 pixels wide, too narrow for a window manager to show a title
    // such as "Account Name" whole beside its buttons.
    const int titleWidth = dialog.fontMetrics().horizontalAdvance(dialog.windowTitle());
    dialog.setMinimumWidth(std::max(320, 2 * titleWidth + 200));
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.textValue().toStdString();
}

QString QtPlatform::StartFolder() const {
    if (!lastFolder_.isEmpty() && QFileInfo(lastFolder_).isDir()) {
        return lastFolder_;
    }
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

// Qt's own dialog, not the desktop's: a desktop dialog asks before replacing the name as typed,
// while the suffix is added only afterwards, so "march" could silently replace "march.tape".
// Qt's dialog adds the suffix first and asks about the file that is really written.
std::string QtPlatform::RunFileDialog(QFileDialog& dialog) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setDirectory(StartFolder());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    const QString path = dialog.selectedFiles().constFirst();
    lastFolder_ = QFileInfo(path).absolutePath();
    return path.toStdString();
}

std::string QtPlatform::OpenFileName(const std::string& title, const std::string& filter) {
    QFileDialog dialog(parent_, QString::fromStdString(title), QString(),
                       QString::fromStdString(filter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return RunFileDialog(dialog);
}

std::string QtPlatform::SaveFileName(const std::string& title, const std::string& filter,
                                     const std::string& suffix) {
    std::size_t chosen = 0;
    return SaveFileNameOfType(title, {filter}, chosen, suffix);
}

std::string QtPlatform::SaveFileNameOfType(const std::string& title,
                                           const std::vector<std::string>& filters,
                                           std::size_t& chosen, const std::string& suffix) {
    QStringList names;
    for (const std::string& filter : filters) {
        names << QString::fromStdString(filter);
    }
    QFileDialog dialog(parent_, QString::fromStdString(title));
    dialog.setNameFilters(names);
    dialog.selectNameFilter(names.at(static_cast<qsizetype>(chosen)));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QString::fromStdString(suffix));
    std::string path = RunFileDialog(dialog);
    if (const qsizetype type = names.indexOf(dialog.selectedNameFilter());
        !path.empty() && type >= 0) {
        chosen = static_cast<std::size_t>(type);
    }
    return path;
}

std::string QtPlatform::LongDate(const DateTime& when) {
    return QLocale::system()
        .toString(QDate(when.year, when.month, when.day), QLocale::LongFormat)
        .toStdString();
}

std::string QtPlatform::ShortTime(const DateTime& when) {
    return ShortTimeText(QLocale::system(), when).toStdString();
}

QString ShortTimeText(const QLocale& locale, const DateTime& when) {
    return locale.toString(QTime(when.hour, when.minute, when.second), QLocale::ShortFormat);
}

std::unique_ptr<PageSurface> QtPlatform::OpenPrinter() {
    return OpenDefaultPrinter(printerFailure_);
}

std::unique_ptr<PageSurface> QtPlatform::OpenPdf() {
    return OpenPdfSurface(LocalePaperSize(QLocale::system().territory()));
}

std::string QtPlatform::DocumentsFolder() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir().mkpath(folder)) {
        folder = QDir::homePath();
    }
    return folder.toStdString();
}

void QtPlatform::ClipboardClear() {
    QGuiApplication::clipboard()->clear();
}

void QtPlatform::ClipboardSetText(const std::string& text) {
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

std::string QtPlatform::ClipboardText() {
    return QGuiApplication::clipboard()->text().toStdString();
}

void QtPlatform::ShellOpen(const std::string& target) {
    const QString text = QString::fromStdString(target);
    const QUrl url = text.contains("://") ? QUrl(text) : QUrl::fromLocalFile(text);
    QDesktopServices::openUrl(url);
}

void QtPlatform::OpenHelp() {
    help_->open();
}

DateTime QtPlatform::Now() {
    const QDateTime now = QDateTime::currentDateTime();
    const QDate d = now.date();
    const QTime t = now.time();
    return {d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second()};
}

std::string QtPlatform::Environ(const std::string& name) {
    // The Windows names, then what a Linux session calls the same thing.
    const QByteArray key = QByteArray::fromStdString(name);
    if (qEnvironmentVariableIsSet(key.constData())) {
        return qEnvironmentVariable(key.constData()).toStdString();
    }
    if (name == "username") {
        for (const char* other : {"USERNAME", "USER", "LOGNAME"}) {
            if (qEnvironmentVariableIsSet(other)) {
                return qEnvironmentVariable(other).toStdString();
            }
        }
    }
    if (name == "computername") {
        if (qEnvironmentVariableIsSet("COMPUTERNAME")) {
            return qEnvironmentVariable("COMPUTERNAME").toStdString();
        }
        return QSysInfo::machineHostName().toStdString();
    }
    return {};
}

std::string QtPlatform::ProgramFolder() {
    const QString programDir = QCoreApplication::applicationDirPath();
    if (QFileInfo(programDir).isWritable()) {
        return programDir.toStdString();
    }
    // An installed copy keeps its files per user.
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty()) {
        config = QDir::homePath() + "/.config";
    }
    const QString folder = config + "/sumwise";
    QDir().mkpath(folder);
    return folder.toStdString();
}

bool QtPlatform::LocaleDecimalComma() {
    return QLocale::system().decimalPoint() == QLatin1String(",");
}

} // namespace sumwise::qt
