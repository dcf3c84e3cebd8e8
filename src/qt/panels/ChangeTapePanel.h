#pragma once

#include <QFrame>

#include "form/TapeDocument.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace sumwise::qt {

// The panel that changes one entry line of the tape. It shows the editor's state and hands
// every edit back to it.
class ChangeTapePanel : public QFrame {
    Q_OBJECT
public:
    // Saves and cancels go to the tape document.
    ChangeTapePanel(TapeDocument& document, QWidget* parent = nullptr);

    // Fills the panel from the editor, shows it in front and puts the focus in the number.
    void open();

    // The warning's red where it reads; a lighter or deeper red where it would not.
    static constexpr QRgb kWarningRed = 0xFFFF0000;

signals:
    void saveRequested();
    void cancelRequested();
    // A save or a cancel was handled; the window re-reads the core's state.
    void changed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void colourWarning();
    // Up, Down and the operators' symbols choose the operator; Alt+Down opens the list. False
    // for any other key.
    bool chooseOperator(const QKeyEvent& key);

    TapeEditor& editor_;
    QLabel* warning_ = nullptr;
    QLabel* lblChangeFrom_ = nullptr;
    QComboBox* cboType_ = nullptr;
    QLineEdit* txtChangeTo_ = nullptr;
};

} // namespace sumwise::qt
