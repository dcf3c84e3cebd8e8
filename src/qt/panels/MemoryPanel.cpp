#include "qt/panels/MemoryPanel.h"

#include "qt/panels/PanelFrame.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>

#include "qt/panels/Contrast.h"
#include "qt/panels/OutlinedRadioButton.h"

namespace sumwise::qt {

namespace {

const QColor kSelectedBank(196, 228, 255);

// The bank texts stand on the theme's field colour, in its text colour; the selected one is
// light blue where the fields are light. On dark fields it is the theme's selection colour
// laid thinly over the field, as strongly as the text still reads on it.
QColor SelectedBankColour(const QPalette& palette) {
    const QColor base = palette.color(QPalette::Base);
    const QColor text = palette.color(QPalette::Text);
    if (RelativeLuminance(base) > 0.5 && ContrastRatio(text, kSelectedBank) >= kReadableContrast) {
        return kSelectedBank;
    }
    for (double opacity = 0.5; opacity > 0.1; opacity -= 0.05) {
        const QColor tint = Blend(palette.color(QPalette::Highlight), base, opacity);
        if (ContrastRatio(text, tint) >= kReadableContrast) {
            return tint;
        }
    }
    return base;
}
constexpr int kRowHeight = 40;
constexpr int kTop = 16;

} // namespace

MemoryPanel::MemoryPanel(MemoryBanks& banks, QWidget* parent)
    : QGroupBox("Memory Banks", parent), banks_(banks) {
    setObjectName("fraMemBanks");
    for (int i = 0; i < MemoryBanks::kCount; ++i) {
        const int top = kTop + i * kRowHeight;
        auto* account = new QLabel(this);
        account->setObjectName(QString("lblAccounts_%1").arg(i));
        account->setGeometry(8, top, 120, 14);
        account->setCursor(Qt::PointingHandCursor);
        account->setToolTip("Click to change account name");
        account->setAccessibleDescription("Click to change account name");
        account->installEventFilter(this);
        accounts_[static_cast<size_t>(i)] = account;

        auto* text = new QLineEdit(this);
        text->setObjectName(QString("txtMem_%1").arg(i));
        text->setGeometry(8, top + 15, 118, 21);
        text->setReadOnly(true);
        text->setFocusPolicy(Qt::NoFocus);
        text->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        text->installEventFilter(this);
        texts_[static_cast<size_t>(i)] = text;

        auto* selector = new OutlinedRadioButton(this);
        selector->setObjectName(QString("optMem_%1").arg(i));
        selector->setAccessibleDescription("Selects the bank that M+, M-, MR and MC work on");
        selector->setToolTip("Select Memory Bank");
        selector->setGeometry(132, top + 17, 18, 18);
        selector->setFocusPolicy(Qt::NoFocus);
        selector->setAutoExclusive(false); // the core decides which selector is on
        connect(selector, &OutlinedRadioButton::clicked, this, [this, i] {
            banks_.SelectBank(i);
            emit changed();
        });
        selectors_[static_cast<size_t>(i)] = selector;
    }
}

void MemoryPanel::refresh() {
    const MemoryBanks& banks = banks_;
    // Called after every key: only what changed is set, so an unchanged bank is neither laid
    // out nor drawn again, nor announced to a screen reader.
    auto setText = [](auto* widget, const QString& text) {
        if (widget->text() != text) {
            widget->setText(text);
        }
    };
    auto setName = [](QWidget* widget, const QString& name) {
        if (widget->accessibleName() != name) {
            widget->setAccessibleName(name);
        }
    };
    for (size_t i = 0; i < MemoryBanks::kCount; ++i) {
        const QString account = QString::fromStdString(banks.lblAccounts[i]);
        setText(accounts_[i], account);
        setName(accounts_[i], QString("Account name of memory bank %1").arg(i + 1));
        setText(texts_[i], QString::fromStdString(banks.txtMem[i]));
        const QString bankName = QString("Memory bank %1, %2").arg(i + 1).arg(account);
        setName(texts_[i], bankName);
        setName(selectors_[i], bankName);
        showSelected(*texts_[i], static_cast<int>(i) == banks.SelectedBank);
        if (selectors_[i]->isChecked() != banks.optMem[i]) {
            selectors_[i]->setChecked(banks.optMem[i]);
        }
    }
}

void MemoryPanel::showSelected(QLineEdit& text, bool selected) {
    if (!selected) {
        if (text.testAttribute(Qt::WA_SetPalette)) {
            text.setPalette(QPalette()); // the panel's colours again
        }
        return;
    }
    const QColor base = SelectedBankColour(palette());
    if (!text.testAttribute(Qt::WA_SetPalette) || text.palette().color(QPalette::Base) != base) {
        QPalette colours = palette();
        colours.setColor(QPalette::Base, base);
        text.setPalette(colours);
    }
}

void MemoryPanel::changeEvent(QEvent* event) {
    QGroupBox::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        refresh(); // the selected bank's colour is chosen against the new palette
    }
}

bool MemoryPanel::eventFilter(QObject* watched, QEvent* event) {
    for (int i = 0; i < MemoryBanks::kCount; ++i) {
        if (watched == accounts_[static_cast<size_t>(i)] &&
            event->type() == QEvent::MouseButtonRelease) {
            banks_.lblAccounts_Click(i);
            emit changed();
            return true;
        }
        if (watched == texts_[static_cast<size_t>(i)] &&
            event->type() == QEvent::MouseButtonPress) {
            banks_.txtMem_MouseDown(); // bank texts are never edited by hand
            return true;
        }
    }
    return QGroupBox::eventFilter(watched, event);
}

void MemoryPanel::paintEvent(QPaintEvent*) {
    PaintPanelFrame(*this);
}

} // namespace sumwise::qt
