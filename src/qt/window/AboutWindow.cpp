#include "qt/window/AboutWindow.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include "platform/AppIdentity.h"

namespace sumwise::qt {

AboutWindow::AboutWindow(DesktopServices& desktop, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      desktop_(desktop) {
    setObjectName("frmAbout");
    setWindowTitle("About");
    setAttribute(Qt::WA_DeleteOnClose);
    resize(330, 226); // 4950 by 3390 twips

    auto* title = new QLabel(QString("%1 - Version %2").arg(kAppTitle, kAppVersion), this);
    title->setObjectName("lblTitle");
    QFont big = title->font();
    big.setBold(true);
    big.setPointSize(big.pointSize() + 3);
    title->setFont(big);
    title->setGeometry(16, 16, 298, 28);

    auto* description = new QLabel(
        "Sumwise is an adding machine with a tape for your desktop. Visit our web site for more "
        "programs, or join the mailing list to hear of new releases.",
        this);
    description->setObjectName("lblDescription");
    description->setWordWrap(true);
    description->setGeometry(16, 52, 298, 90);

    auto* join = new QPushButton("Join Mailing List", this);
    join->setObjectName("Command1");
    join->setToolTip("Join our mailing list");
    join->setCursor(Qt::PointingHandCursor);
    join->setGeometry(16, 170, 140, 30);
    connect(join, &QPushButton::clicked, this, [this] { desktop_.ShellOpen(kMailingListAddress); });

    auto* site = new QPushButton("Sumwise Project", this);
    site->setObjectName("Command2");
    site->setCursor(Qt::PointingHandCursor);
    site->setGeometry(174, 170, 140, 30);
    connect(site, &QPushButton::clicked, this, [this] { desktop_.ShellOpen(kProjectAddress); });
}

void AboutWindow::showCentred() {
    if (!isVisible()) {
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
    }
    show();
    raise();
    activateWindow();
}

} // namespace sumwise::qt
