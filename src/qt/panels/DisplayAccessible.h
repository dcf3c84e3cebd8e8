#pragma once

#include <QAccessibleValueInterface>
#include <QAccessibleWidget>

class QLabel;

namespace sumwise::qt {

// What a screen reader is told of a text on the display: the text itself as the name and the
// value, and what the text is ("Display", "Grand total") as the description, so the number is
// read first and not the word "Display". A number also gives its value as a number.
class DisplayTextAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    DisplayTextAccessible(QLabel* label, bool number);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    // The shown number; none while the text is not one.
    QVariant currentValue() const override;
    void setCurrentValue(const QVariant&) override {} // the display is only read
    QVariant maximumValue() const override { return {}; }
    QVariant minimumValue() const override { return {}; }
    QVariant minimumStepSize() const override { return {}; }

private:
    QLabel* label() const;
    bool number_;
};

// The number a display text shows, read by the one number grammar; none when it is not one.
QVariant DisplayNumber(const QString& text);

// Tells a screen reader that the label's text changed: its name and, for a number, its value.
void AnnounceDisplayText(QLabel* label, bool number);

} // namespace sumwise::qt
