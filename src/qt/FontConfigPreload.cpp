#include "qt/FontConfigPreload.h"

#include <dlfcn.h>

#include <system_error>
#include <thread>

namespace sumwise::qt {

namespace {

std::thread& Preload() {
    static std::thread preload;
    return preload;
}

} // namespace

FontConfigPreload::FontConfigPreload() {
    if (Preload().joinable()) {
        return;
    }
    // Looked up rather than linked: the toolkit has already loaded the library, and a Qt
    // built without fontconfig simply has no such function. FcInit is safe to call from
    // any thread; the toolkit's own call later finds the configuration read.
    using Init = int (*)();
    auto* init = reinterpret_cast<Init>(dlsym(RTLD_DEFAULT, "FcInit"));
    if (init == nullptr) {
        return;
    }
    try {
        Preload() = std::thread([init] { init(); });
    } catch (const std::system_error&) {
        // No thread to be had: the toolkit reads the configuration itself, as it would.
    }
}

FontConfigPreload::~FontConfigPreload() {
    Wait();
}

void FontConfigPreload::Wait() {
    if (Preload().joinable()) {
        Preload().join();
    }
}

bool FontConfigPreload::Running() {
    return Preload().joinable();
}

} // namespace sumwise::qt
