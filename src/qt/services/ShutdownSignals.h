#pragma once

#include <QObject>

class QSocketNotifier;

namespace sumwise::qt {

// Turns SIGTERM, SIGHUP and SIGINT into a Qt signal on the event loop, so a kill or the end
// of the terminal ends the program the normal way (settings saved) instead of where it
// stands. A signal that was ignored at start stays ignored. The handler only writes the
// signal's number to a socket, which is all a signal handler may safely do; the notifier
// reads it back on the main thread.
class ShutdownSignals : public QObject {
    Q_OBJECT
public:
    explicit ShutdownSignals(QObject* parent = nullptr);
    // Gives the signals back the action they had before.
    ~ShutdownSignals() override;

    // False when the socket could not be made; the signals then keep their default action.
    bool isActive() const { return notifier_ != nullptr; }

signals:
    void received(int signal);

private:
    void readSignals();

    QSocketNotifier* notifier_ = nullptr;
};

} // namespace sumwise::qt
