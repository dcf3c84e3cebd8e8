#pragma once

#include <QFont>

namespace sumwise::qt {

// Sets the application's font for the life of the object and then puts the old one back.
//
// A line edit lays its empty text out in the application's font before it takes its own, so
// making one first loads the desktop's default face, which the window never shows. Made
// under the face the window already uses, the line edits skip that load at start-up.
//
// Qt stops following the desktop's font once the application has set one, even the same one
// back. The window calls FollowDesktopFont() on a theme change, so that menus and dialogs
// made afterwards still take the desktop's new font, as they did before.
class TemporaryAppFont {
public:
    explicit TemporaryAppFont(const QFont& font);
    ~TemporaryAppFont();
    TemporaryAppFont(const TemporaryAppFont&) = delete;
    TemporaryAppFont& operator=(const TemporaryAppFont&) = delete;

    static void FollowDesktopFont();

private:
    QFont previous_;
};

} // namespace sumwise::qt
