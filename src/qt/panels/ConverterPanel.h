#pragma once

#include <QGroupBox>
#include <QKeySequence>

#include "converter/Converter.h"

class QComboBox;
class QFrame;
class QPushButton;
class QRadioButton;

namespace sumwise::qt {

// The converter panel: category, the unit-pair frame or the temperature frame, and Convert.
// Every choice goes to the core converter; refresh() shows its state.
class ConverterPanel : public QGroupBox {
    Q_OBJECT
public:
    ConverterPanel(Converter& converter, QWidget* parent = nullptr);

    void refresh();
    // The panel's controls in the order Tab visits them.
    QList<QWidget*> focusChain() const;
    // The Alt keys its buttons claim, known before the panel is built.
    static QList<QKeySequence> mnemonics();

signals:
    // Something changed the display; the window re-reads its state.
    void changed();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void buildUnitFrame(const QRect& frameRect);
    void buildTemperatureFrame(const QRect& frameRect);

    Converter& converter_;
    QComboBox* cboCategories_ = nullptr;
    QComboBox* cboFrom_ = nullptr;
    QComboBox* cboTo_ = nullptr;
    QPushButton* cmdConvertIt_ = nullptr;
    QPushButton* cmdConvertTemp_ = nullptr;
    QFrame* fraConvert_ = nullptr;
    QFrame* fraTemp_ = nullptr;
    QRadioButton* optConvertToC_ = nullptr;
    QRadioButton* optConvertToF_ = nullptr;
};

} // namespace sumwise::qt
