#include "qt/TemporaryAppFont.h"

#include <QFontDatabase>
#include <QGuiApplication>

namespace sumwise::qt {

TemporaryAppFont::TemporaryAppFont(const QFont& font) : previous_(QGuiApplication::font()) {
    QGuiApplication::setFont(font);
}

TemporaryAppFont::~TemporaryAppFont() {
    QGuiApplication::setFont(previous_);
}

void TemporaryAppFont::FollowDesktopFont() {
    // What Qt itself takes when nothing was set: the theme's font, else the platform's.
    QGuiApplication::setFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont));
}

} // namespace sumwise::qt
