#include "qt/panels/PanelAccessibility.h"

#include <QAccessible>

#include "qt/panels/DisplayAccessible.h"
#include "qt/panels/DisplayLabel.h"
#include "qt/panels/TapeAccessible.h"
#include "qt/panels/TapeView.h"

namespace sumwise::qt {

namespace {

QAccessibleInterface* PanelAccessibleFactory(const QString& className, QObject* object) {
    // Only the class itself is matched: Qt asks again for each base class in turn.
    if (className == QLatin1String(DisplayLabel::staticMetaObject.className())) {
        return new DisplayTextAccessible(static_cast<DisplayLabel*>(object), true);
    }
    if (className == QLatin1String(DisplaySideLabel::staticMetaObject.className())) {
        auto* side = static_cast<DisplaySideLabel*>(object);
        return new DisplayTextAccessible(side, side->readsAsNumber());
    }
    if (className == QLatin1String(TapeView::staticMetaObject.className())) {
        return new TapeAccessible(static_cast<TapeView*>(object));
    }
    return nullptr;
}

} // namespace

void InstallPanelAccessibility() {
    QAccessible::installFactory(PanelAccessibleFactory); // Qt keeps one copy of each factory
}

} // namespace sumwise::qt
