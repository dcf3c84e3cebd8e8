#include <QSignalSpy>
#include <QTest>
#include <csignal>
#include <gtest/gtest.h>

#include "qt/services/ShutdownSignals.h"

namespace sumwise::qt {
namespace {

void (*Handler(int signal))(int) {
    struct sigaction current = {};
    ::sigaction(signal, nullptr, &current);
    return current.sa_handler;
}

TEST(ShutdownSignalsTest, EachSignalReachesTheEventLoopOnceAndTheOldActionComesBack) {
    for (int signal : {SIGTERM, SIGHUP, SIGINT}) {
        void (*before)(int) = Handler(signal);
        {
            ShutdownSignals catcher;
            ASSERT_TRUE(catcher.isActive());
            QSignalSpy spy(&catcher, &ShutdownSignals::received);
            ASSERT_EQ(std::raise(signal), 0);
            ASSERT_TRUE(spy.wait(2000)) << signal;
            QTest::qWait(50);
            ASSERT_EQ(spy.count(), 1) << signal;
            EXPECT_EQ(spy.at(0).at(0).toInt(), signal);
        }
        EXPECT_EQ(Handler(signal), before) << signal;
    }
}

TEST(ShutdownSignalsTest, ASignalIgnoredAtStartStaysIgnored) {
    void (*before)(int) = std::signal(SIGHUP, SIG_IGN);
    {
        ShutdownSignals catcher;
        EXPECT_EQ(Handler(SIGHUP), SIG_IGN);
        EXPECT_NE(Handler(SIGTERM), SIG_IGN);
        QSignalSpy spy(&catcher, &ShutdownSignals::received);
        ASSERT_EQ(std::raise(SIGHUP), 0);
        QTest::qWait(100);
        EXPECT_EQ(spy.count(), 0);
    }
    EXPECT_EQ(Handler(SIGHUP), SIG_IGN);
    std::signal(SIGHUP, before);
}

} // namespace
} // namespace sumwise::qt
