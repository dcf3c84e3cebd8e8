#include "qt/FontConfigPreload.h"

#include <dlfcn.h>
#include <pthread.h>

#include "qt/ThreadOnAnotherCore.h"

namespace sumwise::qt {

namespace {

struct Preload {
    int (*init)() = nullptr;
    pthread_t thread{};
    bool running = false;
};

Preload& State() {
    static Preload preload;
    return preload;
}

void* ReadConfiguration(void* preload) {
    static_cast<Preload*>(preload)->init();
    return nullptr;
}

} // namespace

FontConfigPreload::FontConfigPreload() {
    Preload& preload = State();
    if (preload.running) {
        return;
    }
    // Looked up rather than linked: the toolkit has already loaded the library, and a Qt
    // built without fontconfig simply has no such function. FcInit is safe to call from
    // any thread; the toolkit's own call later finds the configuration read.
    preload.init = reinterpret_cast<int (*)()>(dlsym(RTLD_DEFAULT, "FcInit"));
    // With no thread to be had, the toolkit reads the configuration itself, as it would.
    preload.running =
        preload.init != nullptr && StartOnAnotherCore(preload.thread, ReadConfiguration, &preload);
}

FontConfigPreload::~FontConfigPreload() {
    Wait();
}

void FontConfigPreload::Wait() {
    Preload& preload = State();
    if (preload.running) {
        pthread_join(preload.thread, nullptr);
        preload.running = false;
    }
}

bool FontConfigPreload::Running() {
    return State().running;
}

} // namespace sumwise::qt
