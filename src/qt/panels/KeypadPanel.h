#pragma once

#include <QObject>
#include <functional>

#include "engine/KeyCommand.h"

class QComboBox;
class QFont;
class QWidget;

namespace sumwise {
class CalcForm;
class KeysController;
} // namespace sumwise

namespace sumwise::qt {

class DisplayLabel;

// The keypad and the display: the display with its side labels, the keys, and the list of
// decimal places, built in their places on the window's client area.
class KeypadPanel : public QObject {
    Q_OBJECT
public:
    // run: runs a key's command the way the window runs every key.
    KeypadPanel(KeysController& keys, QWidget* client, std::function<void(const KeyCommand&)> run);

    // Lays the display out, measuring text: called once the window's face is set.
    void setFonts(const QFont& body);
    // Shows the display's texts, the options' marks and the decimal places.
    void refresh(const CalcForm& form);
    DisplayLabel* display() const { return lblResult_; }
    QComboBox* decimalPlaces() const { return cboDecPlace_; }

signals:
    // A decimal place was chosen from the list.
    void decimalPlacesChosen();

private:
    void buildDisplay(QWidget* client);
    void buildKeys(QWidget* client);
    void buildDecimalPlaces(QWidget* client);

    KeysController& keys_;
    std::function<void(const KeyCommand&)> run_;
    DisplayLabel* lblResult_ = nullptr;
    QComboBox* cboDecPlace_ = nullptr;
};

} // namespace sumwise::qt
