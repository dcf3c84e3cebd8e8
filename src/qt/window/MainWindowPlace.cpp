// Where the window opens, at what size, and what counts as the user's move of it.
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "qt/panels/ControlPlaces.h"
#include "qt/panels/KeypadLayout.h"
#include "qt/window/MainWindow.h"
#include "qt/window/WindowPlace.h"

namespace sumwise::qt {

namespace {

// Twips to pixels, bounded so that a far-off saved place stays a valid coordinate.
int ToPixels(double twips) {
    constexpr double kLimit = 1 << 24;
    return static_cast<int>(std::lround(std::clamp(twips / kTwipsPerPixel, -kLimit, kLimit)));
}

// The frame is not known before the window manager has the window: a title bar and a border
// are allowed for.
QSize FrameAllowance(const QWidget& window) {
    constexpr int kBorder = 4;
    const int titleHeight =
        window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window);
    return {2 * kBorder, titleHeight + 2 * kBorder};
}

} // namespace

void MainWindow::showLoadedState() {
    refresh();
    restoreSize();
    placeWindow();
}

void MainWindow::restoreSize() {
    const Options& options = form_->Settings().CurrentOptions();
    const QSize designed = Pixels(kClientArea).size();
    QSize wanted = designed;
    if (options.windowWidth > 0 && options.windowHeight > 0) {
        wanted = QSize(ToPixels(options.windowWidth), ToPixels(options.windowHeight));
        const ViewState& view = form_->Settings().View();
        const QScreen* screen =
            QGuiApplication::screenAt({ToPixels(view.Left), ToPixels(view.Top)});
        if (screen == nullptr) {
            screen = QGuiApplication::primaryScreen();
        }
        if (screen != nullptr) {
            const QSize room =
                screen->availableGeometry().size() - FrameAllowance(*this) - aroundClient();
            wanted = SizeOnScreen(wanted, designed, room);
        }
    }
    restoredClient_ = wanted;
    if (wanted != designed) {
        grownClient_ = wanted;
        // Resized once the window exists, as a window of the designed size is by its layout:
        // a size set before would make the window manager take the place for the client
        // area's rather than the frame's.
        resizeOnShow_ = grows_;
    }
}

void MainWindow::placeWindow() {
    const ViewState& view = form_->Settings().View();
    const QPoint wanted(ToPixels(view.Left), ToPixels(view.Top));
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens()) {
        screens.append(screen->availableGeometry());
    }
    const int titleHeight = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
    // A grown window is as large as it was made; one of the designed size as its layout asks.
    QSize inner = sizeHint();
    if (resizeOnShow_) {
        inner = restoredClient_ + aroundClient();
    } else if (grows_ && isVisible()) {
        inner = size();
    }
    const QSize outer = inner + FrameAllowance(*this);
    placed_ = PlaceOnScreen(wanted, outer, titleHeight, screens);
    replaced_ = placed_ != wanted;
    placedTwips_ = replaced_ ? QPointF(placed_) * kTwipsPerPixel : QPointF(view.Left, view.Top);
    move(placed_);
    settled_ = geometry().topLeft();
    userShift_ = QPoint();
    if (isVisible()) {
        startSettling();
    }
}

void MainWindow::startSettling() {
    settled_ = geometry().topLeft();
    settling_->start();
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (resizeOnShow_) {
        resizeOnShow_ = false;
        resizeClient(restoredClient_);
    }
    startSettling();
}

void MainWindow::hideEvent(QHideEvent* event) {
    // The user moves only a shown window; shown again, it may be placed anew.
    userShift_ += geometry().topLeft() - settled_;
    settled_ = geometry().topLeft();
    QMainWindow::hideEvent(event);
}

void MainWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    // A window manager reparents a new window and may report it shifted by its frame, on
    // some by a title bar's height: that is where the window opened, not a move.
    if (settling_->isActive()) {
        settled_ = geometry().topLeft();
        settling_->start();
    }
}

void MainWindow::storePlace() {
    // Only the user's moves change the place, added to the place the window was asked to
    // open at: start and close without a move keep Left and Top exactly, and a moved window
    // opens where it was left, whatever frame offset the window manager reports. The
    // frame's own position is no measure: it changes when the frame becomes known, without
    // a move. Pixels are coarser than twips, so an unmoved place is kept as it was.
    // A maximized window keeps the place it goes back to.
    const bool maximized = windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen);
    const QPoint at = maximized ? normalGeometry().topLeft() : geometry().topLeft();
    const QPoint shift = userShift_ + (at - settled_);
    if (shift.isNull() && !replaced_) {
        return;
    }
    form_->Settings().View().Left = placedTwips_.x() + shift.x() * kTwipsPerPixel;
    form_->Settings().View().Top = placedTwips_.y() + shift.y() * kTwipsPerPixel;
}

} // namespace sumwise::qt
