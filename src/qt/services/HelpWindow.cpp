#include "qt/services/HelpWindow.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/FileOps.h"

namespace sumwise::qt {

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("frmHelp");
    setWindowTitle("Sumwise Help");
    // The help never keeps the program running once the calculator is gone.
    setAttribute(Qt::WA_QuitOnClose, false);

    browser_ = new QTextBrowser(this);
    browser_->setObjectName("txtHelp");
    // Every link comes to follow(): the browser alone would try to fetch web pages itself.
    browser_->setOpenLinks(false);
    browser_->setOpenExternalLinks(false);
    connect(browser_, &QTextBrowser::anchorClicked, this, &HelpWindow::follow);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
}

QRect HelpWindowPlace(const QRect& screen, const QRect& beside, QSize size) {
    constexpr int kGap = 8;
    constexpr int kNarrowest = 480; // still reads comfortably
    size = size.boundedTo(screen.size() * 9 / 10);
    if (beside.isValid()) {
        // QRect::right() is inclusive; these edges are not.
        const int right = beside.x() + beside.width() + kGap;
        const int roomRight = screen.x() + screen.width() - right;
        const int roomLeft = beside.x() - kGap - screen.x();
        const int width = std::min(size.width(), std::max(roomRight, roomLeft));
        if (width >= std::min(kNarrowest, size.width())) {
            const int top =
                std::clamp(beside.top(), screen.top(), screen.bottom() + 1 - size.height());
            const bool onRight = roomRight >= size.width() || roomRight >= roomLeft;
            return {QPoint(onRight ? right : beside.x() - kGap - width, top),
                    QSize(width, size.height())};
        }
    }
    QRect place(QPoint(), size);
    place.moveCenter(screen.center());
    return place;
}

void HelpWindow::placeBeside(const QWidget* other) {
    const QScreen* screen = other != nullptr ? other->screen() : QGuiApplication::primaryScreen();
    const QRect free = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const bool shown = other != nullptr && other->isVisible();
    const QRect besideFrame = shown ? other->frameGeometry() : QRect();
    const QRect place = HelpWindowPlace(free, besideFrame, QSize(720, 760));
    // The place is for the whole frame; this window's own frame is not known before it is
    // shown, so the calculator's stands in for it.
    const QSize frame = shown ? besideFrame.size() - other->size() : QSize();
    resize(place.size() - frame);
    move(place.topLeft());
}

void HelpWindow::showPage(const QString& path, const QWidget* beside) {
    if (!placed_) {
        placeBeside(beside);
        placed_ = true; // afterwards it stays where the user puts it
    }
    const QFileInfo page(path);
    folder_ = page.dir().canonicalPath();
    const QUrl url = QUrl::fromLocalFile(page.canonicalFilePath());
    if (browser_->source().adjusted(QUrl::RemoveFragment) != url) {
        // The browser only follows a style sheet link typed "text/css", which an HTML5 page
        // leaves out; the help's own style sheet is given to it directly.
        QFile css(page.dir().filePath("style.css"));
        if (IsRegularFile(QFile::encodeName(css.fileName()).toStdString()) &&
            css.open(QIODevice::ReadOnly)) {
            browser_->document()->setDefaultStyleSheet(QString::fromUtf8(css.readAll()));
        }
        browser_->setSource(url);
    }
    show();
    raise();
    activateWindow();
}

void HelpWindow::keyPressEvent(QKeyEvent* event) {
    // The browser leaves Escape to its window, which closes as a dialog would.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool HelpWindow::insideHelp(const QUrl& url) const {
    if (!url.isLocalFile() || folder_.isEmpty()) {
        return false;
    }
    const QFileInfo file(url.toLocalFile());
    const QString suffix = file.suffix().toLower();
    // Never a FIFO or device, which would block the window.
    return file.canonicalFilePath().startsWith(folder_ + '/') &&
           (suffix == "html" || suffix == "htm") &&
           IsRegularFile(QFile::encodeName(file.filePath()).toStdString());
}

void HelpWindow::follow(const QUrl& link) {
    const QUrl target = browser_->source().resolved(link);
    if (insideHelp(target)) {
        browser_->setSource(target); // an anchor in the same page only scrolls
        return;
    }
    const QString scheme = target.scheme().toLower();
    if (scheme == "http" || scheme == "https" || scheme == "mailto") {
        emit externalLinkClicked(target);
    }
    // Anything else (a file outside the help, another scheme) is not the help's to open.
}

} // namespace sumwise::qt
