#include "qt/panels/ConverterPanel.h"

#include "qt/panels/PanelFrame.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "converter/Categories.h"
#include "qt/panels/OutlinedRadioButton.h"

namespace sumwise::qt {

namespace {

void Show(QComboBox* box, const PickList& list) {
    QStringList items;
    for (const std::string& item : list.items) {
        items << QString::fromStdString(item);
    }
    QStringList current;
    for (int i = 0; i < box->count(); ++i) {
        current << box->itemText(i);
    }
    if (current != items) {
        box->clear();
        box->addItems(items);
    }
    box->setCurrentIndex(list.index);
}

QComboBox* PickOnly(QWidget* parent, const char* name, const char* accessible, QRect place) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->setAccessibleName(accessible);
    box->setGeometry(place);
    return box;
}

} // namespace

ConverterPanel::ConverterPanel(Converter& converter, QWidget* parent)
    : QGroupBox(kConversionsCaption, parent), converter_(converter) {
    setObjectName("fraConversions");
    cboCategories_ = PickOnly(this, "cboCategories", "Category", {8, 20, 139, 24});
    connect(cboCategories_, &QComboBox::activated, this, [this](int index) {
        if (index != converter_.cboCategories().index) {
            converter_.cboCategories_Click(index);
        }
        emit changed();
    });
    const QRect frameRect(4, 50, 147, 164);
    buildUnitFrame(frameRect);
    buildTemperatureFrame(frameRect);
}

// Controls that act at a click leave the focus with the keys; Tab still reaches them.
void ConverterPanel::buildUnitFrame(const QRect& frameRect) {
    fraConvert_ = new QFrame(this);
    fraConvert_->setObjectName("fraConvert");
    fraConvert_->setGeometry(frameRect);
    auto* lblFrom = new QLabel(kFromCaption, fraConvert_);
    lblFrom->setObjectName("lblFrom");
    lblFrom->setGeometry(4, 4, 139, 16);
    cboFrom_ = PickOnly(fraConvert_, "cboFrom", "Convert from", {4, 20, 139, 24});
    auto* lblTo = new QLabel(kToCaption, fraConvert_);
    lblTo->setObjectName("lblTo");
    lblTo->setGeometry(4, 52, 139, 16);
    cboTo_ = PickOnly(fraConvert_, "cboTo", "Convert to", {4, 68, 139, 24});
    auto* convert = cmdConvertIt_ = new QPushButton(kConvertCaption, fraConvert_);
    convert->setObjectName("cmdConvertIt");
    convert->setAccessibleName("Convert");
    convert->setAccessibleDescription("Converts the display from the first unit to the second");
    convert->setGeometry(4, 106, 139, 28);
    convert->setFocusPolicy(Qt::TabFocus);
    connect(cboFrom_, &QComboBox::activated, this, [this](int index) {
        converter_.cboFrom_Click(index);
        emit changed();
    });
    connect(cboTo_, &QComboBox::activated, this, [this](int index) {
        converter_.cboTo_Click(index);
        emit changed();
    });
    connect(convert, &QPushButton::clicked, this, [this] {
        converter_.cmdConvertIt_Click();
        emit changed();
    });
}

void ConverterPanel::buildTemperatureFrame(const QRect& frameRect) {
    fraTemp_ = new QFrame(this);
    fraTemp_->setObjectName("fraTemp");
    fraTemp_->setGeometry(frameRect);
    optConvertToC_ = new OutlinedRadioButton(kToCelsiusCaption, fraTemp_);
    optConvertToC_->setObjectName("optConvertToC");
    optConvertToC_->setAccessibleName("Fahrenheit to Celsius");
    optConvertToC_->setGeometry(4, 10, 139, 22);
    optConvertToF_ = new OutlinedRadioButton(kToFahrenheitCaption, fraTemp_);
    optConvertToF_->setObjectName("optConvertToF");
    optConvertToF_->setAccessibleName("Celsius to Fahrenheit");
    optConvertToF_->setGeometry(4, 38, 139, 22);
    auto* convertTemp = cmdConvertTemp_ = new QPushButton(kConvertCaption, fraTemp_);
    convertTemp->setObjectName("cmdConvertTemp");
    convertTemp->setAccessibleName("Convert temperature");
    convertTemp->setGeometry(4, 106, 139, 28);
    for (QWidget* control :
         {static_cast<QWidget*>(convertTemp), static_cast<QWidget*>(optConvertToC_),
          static_cast<QWidget*>(optConvertToF_)}) {
        control->setFocusPolicy(Qt::TabFocus);
    }
    connect(optConvertToC_, &QRadioButton::clicked, this, [this] {
        converter_.optConvertToC_Click();
        emit changed();
    });
    connect(optConvertToF_, &QRadioButton::clicked, this, [this] {
        converter_.optConvertToF_Click();
        emit changed();
    });
    connect(convertTemp, &QPushButton::clicked, this, [this] {
        converter_.cmdConvertTemp_Click();
        emit changed();
    });
}

void ConverterPanel::refresh() {
    Show(cboCategories_, converter_.cboCategories());
    Show(cboFrom_, converter_.cboFrom());
    Show(cboTo_, converter_.cboTo());
    fraConvert_->setVisible(converter_.fraConvertVisible());
    fraTemp_->setVisible(converter_.fraTempVisible());
    optConvertToC_->setChecked(converter_.optConvertToC());
    optConvertToF_->setChecked(converter_.optConvertToF());
}

QList<QWidget*> ConverterPanel::focusChain() const {
    return {cboCategories_, cboFrom_,       cboTo_,         cmdConvertIt_,
            optConvertToC_, optConvertToF_, cmdConvertTemp_};
}

QList<QKeySequence> ConverterPanel::mnemonics() {
    QList<QKeySequence> keys;
    for (const char* caption :
         {kConvertCaption, kConversionsCaption, kToCelsiusCaption, kToFahrenheitCaption}) {
        const QKeySequence key = QKeySequence::mnemonic(QString::fromUtf8(caption));
        if (!key.isEmpty()) {
            keys << key;
        }
    }
    return keys;
}

void ConverterPanel::paintEvent(QPaintEvent*) {
    PaintPanelFrame(*this);
}

} // namespace sumwise::qt
