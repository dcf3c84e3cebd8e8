#pragma once

#include <QLabel>

namespace sumwise::qt {

// The main display: right-aligned, and a number too long for it keeps its newest digits
// visible by eliding on the left. text() is always the whole display text.
class DisplayLabel : public QLabel {
    Q_OBJECT
public:
    explicit DisplayLabel(QWidget* parent = nullptr);

    // Pixels at the left kept free for the small operator and grand-total labels.
    void setReservedLeft(int pixels);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int reservedLeft_ = 0;
};

} // namespace sumwise::qt
