#include "qt/services/ShutdownSignals.h"

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <iterator>
#include <sys/socket.h>
#include <unistd.h>

namespace sumwise::qt {

namespace {

constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};

// A signal handler reaches nothing but globals: the socket's two ends, set once before the
// handlers are installed.
int g_socket[2] = {-1, -1};
// What each signal did before, given back when the owner goes.
struct sigaction g_previous[std::size(kSignals)];
bool g_installed[std::size(kSignals)] = {};

extern "C" void WriteSignal(int signal) {
    const int saved = errno;
    const auto byte = static_cast<unsigned char>(signal);
    // Non-blocking: with the socket full, a signal already waits to be read anyway.
    [[maybe_unused]] const ssize_t written = ::write(g_socket[0], &byte, 1);
    errno = saved;
}

} // namespace

ShutdownSignals::ShutdownSignals(QObject* parent) : QObject(parent) {
    if (g_socket[0] >= 0) {
        return; // one owner per process
    }
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_socket) != 0) {
        g_socket[0] = g_socket[1] = -1;
        return;
    }
    ::fcntl(g_socket[0], F_SETFL, ::fcntl(g_socket[0], F_GETFL) | O_NONBLOCK);
    ::fcntl(g_socket[1], F_SETFL, ::fcntl(g_socket[1], F_GETFL) | O_NONBLOCK);
    notifier_ = new QSocketNotifier(g_socket[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &ShutdownSignals::readSignals);

    struct sigaction action = {};
    action.sa_handler = WriteSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < std::size(kSignals); ++i) {
        // A signal ignored by whoever started the program (nohup, a script's background job)
        // stays ignored, as the starter asked.
        if (::sigaction(kSignals[i], nullptr, &g_previous[i]) == 0 &&
            g_previous[i].sa_handler != SIG_IGN) {
            g_installed[i] = ::sigaction(kSignals[i], &action, nullptr) == 0;
        }
    }
}

ShutdownSignals::~ShutdownSignals() {
    if (notifier_ == nullptr) {
        return;
    }
    for (std::size_t i = 0; i < std::size(kSignals); ++i) {
        if (g_installed[i]) {
            ::sigaction(kSignals[i], &g_previous[i], nullptr);
            g_installed[i] = false;
        }
    }
    delete notifier_;
    ::close(g_socket[0]);
    ::close(g_socket[1]);
    g_socket[0] = g_socket[1] = -1;
}

void ShutdownSignals::readSignals() {
    unsigned char byte = 0;
    while (::read(g_socket[1], &byte, 1) == 1) {
        emit received(byte);
    }
}

} // namespace sumwise::qt
