#pragma once

namespace sumwise::qt {

// Reading the desktop's font configuration is the largest single step of start-up, and the
// bare window pays it too. It needs nothing from Qt, so while it runs on another core the
// toolkit connects to the display and the window makes its first widgets. The window waits
// for it just before it first measures text. Where Qt reads fonts without fontconfig, or no
// second thread can be had, nothing is started and waiting costs nothing.
class FontConfigPreload {
public:
    FontConfigPreload();
    ~FontConfigPreload();
    FontConfigPreload(const FontConfigPreload&) = delete;
    FontConfigPreload& operator=(const FontConfigPreload&) = delete;

    // Returns once a started preload has ended; at once when none runs.
    static void Wait();
    // Whether one was started and has not yet been waited for.
    static bool Running();
};

} // namespace sumwise::qt
