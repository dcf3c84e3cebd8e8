#include "qt/ThreadOnAnotherCore.h"

#include <gtest/gtest.h>
#include <sched.h>

namespace sumwise::qt {
namespace {

struct Seen {
    int core = -1;
    cpu_set_t allowed{};
};

void* Record(void* given) {
    auto* seen = static_cast<Seen*>(given);
    seen->core = sched_getcpu();
    sched_getaffinity(0, sizeof seen->allowed, &seen->allowed);
    return given;
}

// The caller goes on with its own work on its core, so the new thread must not queue there.
// Once running it may use every core the caller may, so a busy core never holds it.
TEST(ThreadOnAnotherCoreTest, StartsOnAnotherCoreThanTheCallersAndIsThenFreeToMove) {
    cpu_set_t allowed;
    ASSERT_EQ(sched_getaffinity(0, sizeof allowed, &allowed), 0);
    if (CPU_COUNT(&allowed) < 2) {
        GTEST_SKIP() << "this machine lets the tests use one core";
    }
    // The caller may be moved during the call; such a try says nothing and is made again.
    for (int attempt = 0; attempt < 5; ++attempt) {
        Seen seen;
        pthread_t thread;
        const int before = sched_getcpu();
        ASSERT_TRUE(StartOnAnotherCore(thread, Record, &seen));
        const int after = sched_getcpu();
        void* result = nullptr;
        ASSERT_EQ(pthread_join(thread, &result), 0);
        EXPECT_EQ(result, &seen) << "the job's own result comes back";
        EXPECT_TRUE(CPU_EQUAL(&seen.allowed, &allowed)) << "the thread is held to some cores";
        if (before == after) {
            EXPECT_NE(seen.core, before) << "the thread started on the caller's core";
            return;
        }
    }
    GTEST_SKIP() << "the caller was moved during every try";
}

// Where the process may use one core only, the thread runs there as any thread would.
TEST(ThreadOnAnotherCoreTest, WithOneCoreTheThreadStillRuns) {
    cpu_set_t allowed;
    ASSERT_EQ(sched_getaffinity(0, sizeof allowed, &allowed), 0);
    cpu_set_t one;
    CPU_ZERO(&one);
    CPU_SET(sched_getcpu(), &one);
    ASSERT_EQ(sched_setaffinity(0, sizeof one, &one), 0);
    Seen seen;
    pthread_t thread;
    const bool started = StartOnAnotherCore(thread, Record, &seen);
    if (started) {
        pthread_join(thread, nullptr);
    }
    sched_setaffinity(0, sizeof allowed, &allowed);
    ASSERT_TRUE(started);
    EXPECT_TRUE(CPU_EQUAL(&seen.allowed, &one));
    EXPECT_TRUE(CPU_ISSET(seen.core, &one));
}

} // namespace
} // namespace sumwise::qt
