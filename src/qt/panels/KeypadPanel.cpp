#include "qt/panels/KeypadPanel.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "form/CalcForm.h"
#include "qt/panels/ControlPlaces.h"
#include "qt/panels/DisplayLabel.h"

namespace sumwise::qt {

namespace {

const char* const kDecimalPlaceItems[] = {"Floating Decimal", "1 Fixed Decimal", "2 Fixed Decimal",
                                          "3 Fixed Decimal",  "4 Fixed Decimal", "5 Fixed Decimal",
                                          "6 Fixed Decimal"};

} // namespace

KeypadPanel::KeypadPanel(KeysController& keys, QWidget* client,
                         std::function<void(const KeyCommand&)> run)
    : QObject(client), keys_(keys), run_(std::move(run)) {
    buildDisplay(client);
    buildKeys(client);
    buildDecimalPlaces(client);
}

void KeypadPanel::buildDisplay(QWidget* client) {
    lblResult_ = new DisplayLabel(client);
    lblResult_->setObjectName("lblResult");
    lblResult_->setAccessibleName("Display");
    lblResult_->setGeometry(Pixels(kDisplayRect));
    lblResult_->setFrameShape(QFrame::Panel);
    lblResult_->setFrameShadow(QFrame::Sunken);
    lblResult_->setAutoFillBackground(true);
    lblResult_->setBackgroundRole(QPalette::Base);

    QLabel* side = lblResult_->operatorLabel();
    side->setObjectName("lblOperator");
    side->setAccessibleName("Pending operator");
    side = lblResult_->grandTotalLabel();
    side->setObjectName("lblGrandTotal");
    side->setAccessibleName("Grand total");
    lblResult_->addModeLabel()->setObjectName("lblAddMode");
    lblResult_->addModeLabel()->setAccessibleName("Add mode");
    lblResult_->itemsLabel()->setObjectName("lblItems");
    lblResult_->itemsLabel()->setAccessibleName("Item count");
}

void KeypadPanel::setFonts(const QFont& body) {
    QFont displayFont = lblResult_->font();
    displayFont.setPixelSize(16);
    displayFont.setBold(true);
    lblResult_->setFont(displayFont);
    // The pending operator and the grand total, at the display's left in the body face.
    lblResult_->setSideFont(body);
}

void KeypadPanel::buildKeys(QWidget* client) {
    for (const KeyButton& key : KeypadButtons()) {
        auto* button = new QPushButton(QString::fromUtf8(key.caption), client);
        button->setObjectName(key.objectName);
        button->setAccessibleName(key.accessibleName);
        if (key.toolTip != nullptr) {
            button->setAccessibleDescription(key.toolTip);
            button->setToolTip(key.toolTip);
        }
        button->setGeometry(Pixels(key.rect));
        button->setFocusPolicy(Qt::NoFocus); // the key sink keeps the focus
        const KeyCommand command = key.key;
        connect(button, &QPushButton::clicked, this, [this, command] { run_(command); });
    }
}

void KeypadPanel::buildDecimalPlaces(QWidget* client) {
    auto* lblLast = new QLabel("Decimal Place", client);
    lblLast->setObjectName("lblLast");
    lblLast->setGeometry(Pixels(kDecimalLabelRect));
    cboDecPlace_ = new QComboBox(client);
    cboDecPlace_->setObjectName("cboDecPlace");
    cboDecPlace_->setAccessibleName("Decimal places");
    cboDecPlace_->setGeometry(Pixels(kDecimalListRect));
    for (const char* item : kDecimalPlaceItems) {
        cboDecPlace_->addItem(item);
    }
    connect(cboDecPlace_, &QComboBox::activated, this, [this](int position) {
        keys_.cboDecPlace_Click(position);
        emit decimalPlacesChosen();
    });
}

void KeypadPanel::refresh(const CalcForm& form) {
    const KeysController& keys = form.Keys();
    lblResult_->setTexts(QString::fromStdString(keys.lblResult()),
                         QString::fromStdString(keys.lblOperator()),
                         QString::fromStdString(keys.lblGrandTotal()));
    lblResult_->setOptionTexts(QString::fromStdString(form.Settings().lblAddMode()),
                               QString::fromStdString(form.Settings().lblItems()));
    if (cboDecPlace_->currentIndex() != keys.DecimalPlaces()) {
        cboDecPlace_->setCurrentIndex(keys.DecimalPlaces());
    }
}

} // namespace sumwise::qt
