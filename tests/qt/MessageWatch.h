#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>

namespace sumwise::qt {

// Closes every message box that opens while it runs, keeping their titles and texts.
class MessageWatch {
public:
    MessageWatch() {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                seen << box->windowTitle() + "|" + box->text();
                box->accept();
            }
        });
        timer_.start(10);
    }
    QStringList seen;

private:
    QTimer timer_;
};

} // namespace sumwise::qt
