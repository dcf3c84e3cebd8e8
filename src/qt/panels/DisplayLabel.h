#pragma once

#include <QLabel>
#include <array>

namespace sumwise::qt {

// A small text on the display, drawn after a caption of its own when it is not empty
// ("GT 456.65"); text() stays the value alone.
class DisplaySideLabel : public QLabel {
    Q_OBJECT
public:
    // number: the text is an amount, which a screen reader is also given as a value.
    DisplaySideLabel(const QString& caption, bool number, QWidget* parent = nullptr);

    bool readsAsNumber() const { return number_; }
    // Sets the text, telling a screen reader when it changed.
    void showText(const QString& text);

    // What the display shows: the caption and the text, or nothing.
    QString shownText() const;
    // The face it is drawn in: its font, made smaller while the display is crowded.
    QFont shownFont() const;
    void setShrink(double scale);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString caption_;
    double scale_ = 1;
    bool number_ = false;
};

// The main display: the number right-aligned, and at its left the pending operator and the
// grand total. Both stay whole while the number fits beside them, the number and the small
// texts shrinking together when they must; a number too long even then keeps its newest
// digits visible by eliding on the left. text() is always the whole display text.
class DisplayLabel : public QLabel {
    Q_OBJECT
public:
    explicit DisplayLabel(QWidget* parent = nullptr);

    QLabel* operatorLabel() const { return operator_; }
    QLabel* grandTotalLabel() const { return grandTotal_; }
    // The options' marks: "A" while add mode is on, and the item count ("12 items").
    QLabel* addModeLabel() const { return addMode_; }
    QLabel* itemsLabel() const { return items_; }
    // The face of the operator and the grand total; the number keeps the display's own.
    void setSideFont(const QFont& font);
    // Shows the number, the pending operator and the grand total's value.
    void setTexts(const QString& number, const QString& pendingOperator, const QString& grandTotal);
    // The options' marks, empty when their option is off.
    void setOptionTexts(const QString& addMode, const QString& items);
    // Where the number is drawn, right-aligned, and in which face.
    QRect numberRect() const;
    QFont numberFont() const;
    // The least the number and the small texts shrink to, against their own sizes.
    static constexpr double kLeastScale = 0.625;
    // Marks the display while typed keys go to the calculator: the key sink that holds the
    // focus then is out of sight.
    void setKeysHere(bool here);
    bool keysHere() const { return keysHere_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Shares the width between the small texts and the number, and places the small texts on
    // the number's baseline.
    void layoutSides();

    DisplaySideLabel* addMode_ = nullptr;
    DisplaySideLabel* operator_ = nullptr;
    DisplaySideLabel* items_ = nullptr;
    DisplaySideLabel* grandTotal_ = nullptr;
    // Left to right: add mode, operator, item count, grand total.
    std::array<DisplaySideLabel*, 4> Sides() const {
        return {addMode_, operator_, items_, grandTotal_};
    }
    int reservedLeft_ = 0; // pixels kept free at the left for the small texts
    double scale_ = 1;     // of the fonts while the display is crowded
    bool keysHere_ = false;
};

} // namespace sumwise::qt
