#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QObject>
#include <QTimer>

namespace sumwise::bench {

// Ends the program once the watched window has painted its first frame, so that start-up
// can be timed from outside to the moment a user sees the window. The quit waits for the
// event loop, which lets the frame reach the screen first. On the way out it prints the
// process's peak memory ("VmHWM: ... kB") on standard output: a parent cannot read it after
// the exit, and the parent's own high-water mark would be carried over into the child's
// resource usage through the exec.
class QuitAfterFirstFrame : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !quitting_) {
            quitting_ = true;
            QTimer::singleShot(0, QCoreApplication::instance(), [] {
                QFile status("/proc/self/status");
                if (status.open(QIODevice::ReadOnly)) {
                    for (const QByteArray& line : status.readAll().split('\n')) {
                        if (line.startsWith("VmHWM:")) {
                            QFile out;
                            if (out.open(stdout, QIODevice::WriteOnly)) {
                                out.write(line + '\n');
                            }
                        }
                    }
                }
                QCoreApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool quitting_ = false;
};

} // namespace sumwise::bench
