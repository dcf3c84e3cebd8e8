// How the window grows: with the tape shown, from its designed size to whatever the user drags
// or maximizes it to, the tape taking the room; the size is kept for the next run.
#include <QLayout>

#include "qt/panels/ControlPlaces.h"
#include "qt/panels/TapeView.h"
#include "qt/window/MainWindow.h"

namespace sumwise::qt {

void MainWindow::fitClientArea(int designedWidth, bool tapeShown) {
    const QSize least(designedWidth, Pixels(kClientArea).height());
    if (tapeShown == grows_ && least == leastClient_) {
        return;
    }
    leastClient_ = least;
    QWidget* client = centralWidget();
    if (!tapeShown) {
        // Nothing in the narrow window would use more room.
        if (isMaximized() || isFullScreen()) {
            // Back where it was before it was maximized, as the window manager would not know
            // to put it there once its size is fixed.
            const QRect normal = normalGeometry();
            showNormal();
            if (normal.isValid()) {
                setGeometry(normal);
            }
        }
        grows_ = false;
        layout()->setSizeConstraint(QLayout::SetFixedSize);
        client->setFixedSize(least);
        return;
    }
    const QSize grown = grownClient_; // before the new bounds resize the client area
    grows_ = true;
    client->setMinimumSize(least);
    client->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX); // the fixed size's bound goes too
    layout()->setSizeConstraint(QLayout::SetMinimumSize);
    // A window never grown takes its designed size from the layout, as a fixed one does.
    if (grown.isValid()) {
        resizeClient(grown.expandedTo(least));
    }
}

QSize MainWindow::aroundClient() {
    // Measured once the layout has placed the menu bar for the window's present size.
    layout()->invalidate();
    layout()->activate();
    return size() - centralWidget()->size();
}

void MainWindow::resizeClient(QSize client) {
    resize(client + aroundClient());
}

void MainWindow::layoutTapeArea() {
    if (!grows_ || tapePlaces_.size() != tapeArea_.size()) {
        return; // the tape is hidden, or not yet built
    }
    // A maximized window goes back to its own size: that is the one kept.
    if (!(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))) {
        grownClient_ = centralWidget()->size();
    }
    const QSize growth =
        (centralWidget()->size() - Pixels(kClientArea).size()).expandedTo(QSize(0, 0));
    // The tape takes all the room; its keys stay under its left end.
    for (qsizetype i = 0; i < tapeArea_.size(); ++i) {
        const QRect designed = tapePlaces_[i];
        tapeArea_[i]->setGeometry(tapeArea_[i] == lstTape_
                                      ? designed.adjusted(0, 0, growth.width(), growth.height())
                                      : designed.translated(0, growth.height()));
    }
}

void MainWindow::storeSize() {
    // Only the user's resizing changes the size the next run opens at; the designed size is
    // kept as none.
    if (!grownClient_.isValid() || grownClient_ == restoredClient_) {
        return;
    }
    const QSize kept =
        grownClient_ == Pixels(kClientArea).size() ? QSize(0, 0) : grownClient_ * kTwipsPerPixel;
    form_->Settings().KeepWindowSize(kept.width(), kept.height());
}

} // namespace sumwise::qt
