#include "qt/panels/DisplayAccessible.h"

#include <QLabel>
#include <optional>

#include "number/NumberText.h"

namespace sumwise::qt {

DisplayTextAccessible::DisplayTextAccessible(QLabel* label, bool number)
    : QAccessibleWidget(label, QAccessible::StaticText), number_(number) {}

QLabel* DisplayTextAccessible::label() const {
    return static_cast<QLabel*>(widget());
}

QString DisplayTextAccessible::text(QAccessible::Text t) const {
    const QString shown = label()->text().trimmed();
    switch (t) {
    case QAccessible::Name:
        // An empty text (no pending operator) still says what the control is.
        return shown.isEmpty() ? widget()->accessibleName() : shown;
    case QAccessible::Value:
        return shown;
    case QAccessible::Description:
        return widget()->accessibleName();
    default:
        return QAccessibleWidget::text(t);
    }
}

QAccessible::State DisplayTextAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = true;
    return state;
}

void* DisplayTextAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::ValueInterface && number_) {
        return static_cast<QAccessibleValueInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
}

QVariant DisplayTextAccessible::currentValue() const {
    return DisplayNumber(label()->text());
}

QVariant DisplayNumber(const QString& text) {
    const std::optional<double> value = StrictNumber(text.toStdString());
    return value ? QVariant(*value) : QVariant();
}

void AnnounceDisplayText(QLabel* label, bool number) {
    if (!QAccessible::isActive()) {
        return; // no screen reader listens
    }
    QAccessibleEvent name(label, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&name);
    if (number) {
        QAccessibleValueChangeEvent value(label, DisplayNumber(label->text()));
        QAccessible::updateAccessibility(&value);
    }
}

} // namespace sumwise::qt
