#pragma once

namespace sumwise {

// What the core asks of the main window it stands for.
class WindowHost {
public:
    virtual ~WindowHost() = default;

    // Keyboard focus to the key sink, so typed characters keep reaching the keyboard map.
    virtual void FocusKeySink() = 0;

    // Hide the main window without closing it (Save Result hands the value to the host).
    virtual void HideMainWindow() = 0;

    // Close the main window, which runs the normal shut-down.
    virtual void CloseMainWindow() = 0;

    // While busy the main window takes no input and the pointer is the hourglass; turning it
    // on repaints the window first.
    virtual void SetBusy(bool busy) = 0;
};

} // namespace sumwise
