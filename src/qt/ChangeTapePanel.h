#pragma once

#include <QFrame>

#include "form/TapeEditor.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace sumwise::qt {

// The panel that changes one entry line of the tape. It shows the editor's state and hands
// every edit back to it.
class ChangeTapePanel : public QFrame {
    Q_OBJECT
public:
    ChangeTapePanel(TapeEditor& editor, QWidget* parent = nullptr);

    // Fills the panel from the editor, shows it in front and puts the focus in the number.
    void open();

signals:
    void saveRequested();
    void cancelRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TapeEditor& editor_;
    QLabel* lblChangeFrom_ = nullptr;
    QComboBox* cboType_ = nullptr;
    QLineEdit* txtChangeTo_ = nullptr;
};

} // namespace sumwise::qt
