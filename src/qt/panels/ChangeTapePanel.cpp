#include "qt/panels/ChangeTapePanel.h"

#include "qt/panels/Contrast.h"

#include <algorithm>

#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace sumwise::qt {

namespace {

QLabel* AddLabel(QWidget* parent, const char* name, const char* text, QRect place) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(place);
    return label;
}

} // namespace

ChangeTapePanel::ChangeTapePanel(TapeDocument& document, QWidget* parent)
    : QFrame(parent), editor_(document.ChangeTape()) {
    connect(this, &ChangeTapePanel::saveRequested, this, [this, &document] {
        document.cmdSaveChange_Click();
        emit changed();
    });
    connect(this, &ChangeTapePanel::cancelRequested, this, [this, &document] {
        document.cmdCancelChange_Click();
        emit changed();
    });
    setObjectName("fraChangeTape");
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);

    QLabel* title = AddLabel(this, "lblChangeTitle", "Change Tape", {8, 4, 294, 16});
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    warning_ = AddLabel(this, "lblChangeTape_2",
                        " Warning: changes here will affect the Grand Total ", {8, 22, 294, 16});
    colourWarning();

    AddLabel(this, "lblChangeTape_0", " Old Number: ", {8, 46, 80, 22});
    lblChangeFrom_ = AddLabel(this, "lblChangeFrom", "", {90, 46, 130, 22});
    lblChangeFrom_->setFrameShape(QFrame::Box);
    lblChangeFrom_->setAccessibleName("Old number");
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("cmdCancelChange");
    cancel->setAccessibleName("Cancel the change");
    cancel->setGeometry(226, 45, 76, 24);
    connect(cancel, &QPushButton::clicked, this, &ChangeTapePanel::cancelRequested);

    AddLabel(this, "lblChangeTape_1", " New Number: ", {8, 80, 80, 22});
    cboType_ = new QComboBox(this);
    cboType_->setObjectName("cboType");
    cboType_->setAccessibleName("Operator");
    cboType_->setGeometry(90, 79, 52, 24);
    for (const char* choice : TapeEditor::kOperatorChoices) {
        cboType_->addItem(choice);
    }
    cboType_->installEventFilter(this); // only the keys of chooseOperator reach it
    connect(cboType_, &QComboBox::activated, this,
            [this](int index) { editor_.cboType = cboType_->itemText(index).toStdString(); });

    txtChangeTo_ = new QLineEdit(this);
    txtChangeTo_->setObjectName("txtChangeTo");
    txtChangeTo_->setAccessibleName("New number");
    txtChangeTo_->setGeometry(146, 79, 74, 24);
    connect(txtChangeTo_, &QLineEdit::textEdited, this,
            [this](const QString& text) { editor_.txtChangeTo = text.toStdString(); });
    txtChangeTo_->installEventFilter(this);

    auto* save = new QPushButton("Save", this);
    save->setObjectName("cmdSaveChange");
    save->setAccessibleName("Save the change");
    save->setAccessibleDescription("Replaces the line and adds up the tape again");
    save->setGeometry(226, 79, 76, 24);
    connect(save, &QPushButton::clicked, this, &ChangeTapePanel::saveRequested);
    hide();
}

void ChangeTapePanel::open() {
    lblChangeFrom_->setText(QString::fromStdString(editor_.lblChangeFrom));
    cboType_->setCurrentText(QString::fromStdString(editor_.cboType));
    txtChangeTo_->setText(QString::fromStdString(editor_.txtChangeTo));
    show();
    raise();
    txtChangeTo_->setFocus(Qt::OtherFocusReason);
    txtChangeTo_->selectAll();
}

void ChangeTapePanel::colourWarning() {
    // Red, in the shade of red that reads on the panel's background.
    const QColor ink = ReadableInk(kWarningRed, palette().color(backgroundRole()));
    QPalette colours = warning_->palette();
    if (colours.color(QPalette::WindowText) != ink) {
        colours.setColor(QPalette::WindowText, ink);
        warning_->setPalette(colours);
    }
}

void ChangeTapePanel::changeEvent(QEvent* event) {
    QFrame::changeEvent(event);
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange) {
        colourWarning();
    }
}

void ChangeTapePanel::keyPressEvent(QKeyEvent* event) {
    // Escape from any control of the panel is its Cancel.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        emit cancelRequested();
        return;
    }
    QFrame::keyPressEvent(event);
}

bool ChangeTapePanel::chooseOperator(const QKeyEvent& key) {
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    if (key.key() == Qt::Key_Down && modifiers == Qt::AltModifier) {
        cboType_->showPopup();
        return true;
    }
    int index = -1;
    if (modifiers == Qt::NoModifier && key.key() == Qt::Key_Up) {
        index = std::max(0, cboType_->currentIndex() - 1);
    } else if (modifiers == Qt::NoModifier && key.key() == Qt::Key_Down) {
        index = std::min(cboType_->count() - 1, cboType_->currentIndex() + 1);
    } else if ((modifiers & (Qt::ControlModifier | Qt::AltModifier)) == 0) {
        // The symbols as typed; "*" and "X" are the times sign too.
        QString symbol = key.text();
        if (symbol == "*" || symbol == "X") {
            symbol = "x";
        }
        index = symbol.isEmpty() ? -1 : cboType_->findText(symbol);
    }
    if (index < 0) {
        return false;
    }
    cboType_->setCurrentIndex(index);
    editor_.cboType = cboType_->itemText(index).toStdString();
    return true;
}

bool ChangeTapePanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == cboType_ &&
        (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (event->type() == QEvent::KeyPress && !chooseOperator(*key)) {
            keyPressEvent(key); // Escape still cancels
        }
        return true;
    }
    if (watched == txtChangeTo_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            emit saveRequested(); // Enter saves and goes no further
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}

} // namespace sumwise::qt
