#include "qt/ThreadOnAnotherCore.h"

#include <sched.h>

#include <memory>
#include <new>

namespace sumwise::qt {

namespace {

struct Start {
    void* (*job)(void*) = nullptr;
    void* argument = nullptr;
    bool placed = false;
    cpu_set_t allowed{}; // what the caller may use, given back once the thread runs
};

void* RunStarted(void* given) {
    const std::unique_ptr<Start> start(static_cast<Start*>(given));
    if (start->placed) {
        pthread_setaffinity_np(pthread_self(), sizeof start->allowed, &start->allowed);
    }
    return start->job(start->argument);
}

} // namespace

bool StartOnAnotherCore(pthread_t& thread, void* (*job)(void*), void* argument) {
    std::unique_ptr<Start> start(new (std::nothrow) Start{job, argument});
    pthread_attr_t attributes;
    if (start == nullptr || pthread_attr_init(&attributes) != 0) {
        return false;
    }
    const int here = sched_getcpu();
    if (here >= 0 && here < CPU_SETSIZE &&
        sched_getaffinity(0, sizeof start->allowed, &start->allowed) == 0 &&
        CPU_ISSET(here, &start->allowed) && CPU_COUNT(&start->allowed) > 1) {
        cpu_set_t others = start->allowed;
        CPU_CLR(here, &others);
        start->placed = pthread_attr_setaffinity_np(&attributes, sizeof others, &others) == 0;
    }
    bool made = pthread_create(&thread, &attributes, RunStarted, start.get()) == 0;
    pthread_attr_destroy(&attributes);
    if (!made && start->placed) {
        // The cores may have been taken from the process meanwhile: start it as usual.
        start->placed = false;
        made = pthread_create(&thread, nullptr, RunStarted, start.get()) == 0;
    }
    if (made) {
        start.release(); // the thread owns it now
    }
    return made;
}

} // namespace sumwise::qt
