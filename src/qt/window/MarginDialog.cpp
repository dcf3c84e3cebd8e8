#include "qt/window/MarginDialog.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace sumwise::qt {

namespace {

struct FieldLook {
    MarginField field;
    const char* caption;
    const char* name;       // the field's object name
    const char* useName;    // its Use button's
    const char* accessible; // the field's name for assistive tools, without the mnemonic
};

constexpr FieldLook kFields[] = {
    {MarginField::Cost, "&Cost", "txtCost", "cmdUseCost", "Cost"},
    {MarginField::Sell, "S&ell", "txtSell", "cmdUseSell", "Sell"},
    {MarginField::Margin, "Mar&gin %", "txtMargin", "cmdUseMargin", "Margin %"},
    {MarginField::Markup, "Mar&kup %", "txtMarkup", "cmdUseMarkup", "Markup %"},
};

} // namespace

MarginDialog::MarginDialog(KeysController& keys, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      keys_(keys) {
    setObjectName("frmMargin");
    setWindowTitle("Margin and Markup");
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(true);
    auto* grid = new QGridLayout(this);
    for (const FieldLook& look : kFields) {
        const int row = static_cast<int>(look.field);
        auto* label = new QLabel(look.caption, this);
        auto* field = new QLineEdit(this);
        field->setObjectName(look.name);
        field->setAccessibleName(look.accessible);
        label->setBuddy(field);
        auto* useButton = new QPushButton("Use", this);
        useButton->setObjectName(look.useName);
        useButton->setAccessibleName(QString("Use ") + look.accessible);
        useButton->setAutoDefault(false);
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row, 1);
        grid->addWidget(useButton, row, 2);
        fields_[static_cast<std::size_t>(row)] = field;
        connect(field, &QLineEdit::textEdited, this,
                [this, look](const QString& text) { edited(look.field, text); });
        connect(field, &QLineEdit::returnPressed, this, [this, look] { use(look.field); });
        connect(useButton, &QPushButton::clicked, this, [this, look] { use(look.field); });
    }
    message_ = new QLabel(this);
    message_->setObjectName("lblMarginMessage");
    message_->setWordWrap(true);
    message_->setMinimumWidth(260);
    grid->addWidget(message_, 4, 0, 1, 3);
    showTexts();
    fields_[0]->selectAll();
}

void MarginDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (auto* button = qobject_cast<QPushButton*>(focusWidget())) {
            button->click();
        }
        return;
    }
    QDialog::keyPressEvent(event);
}

void MarginDialog::edited(MarginField field, const QString& text) {
    keys_.Margin().Edit(field, text.toStdString());
    showTexts();
}

void MarginDialog::use(MarginField field) {
    if (keys_.UseMargin(field)) {
        accept();
        return;
    }
    showTexts();
}

void MarginDialog::showTexts() {
    const MarginMarkup& margin = keys_.Margin();
    for (const FieldLook& look : kFields) {
        const QString text = QString::fromStdString(margin.Text(look.field));
        QLineEdit* field = fields_[static_cast<std::size_t>(look.field)];
        if (field->text() != text) {
            field->setText(text);
        }
    }
    message_->setText(QString::fromStdString(margin.Reason()));
}

} // namespace sumwise::qt
