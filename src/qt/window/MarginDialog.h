#pragma once

#include <QDialog>
#include <array>

#include "form/KeysController.h"

class QLabel;
class QLineEdit;

namespace sumwise::qt {

// Edit > Margin and Markup: cost, sell price, margin and markup, each with a Use button. The
// calculation is the core's; the dialog shows its texts and passes on each edit and Use.
class MarginDialog : public QDialog {
    Q_OBJECT
public:
    MarginDialog(KeysController& keys, QWidget* parent);

protected:
    // Enter belongs to the field or button that has the focus, never to a default button.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void edited(MarginField field, const QString& text);
    void use(MarginField field);
    // The fields and the message as the calculation has them. A field whose text is already
    // right is left alone, so the one being typed in keeps its cursor.
    void showTexts();

    KeysController& keys_;
    std::array<QLineEdit*, 4> fields_{};
    QLabel* message_ = nullptr;
};

} // namespace sumwise::qt
