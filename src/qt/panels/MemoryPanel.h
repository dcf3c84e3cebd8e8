#pragma once

#include <QGroupBox>
#include <array>

#include "memory/MemoryBanks.h"

class QLabel;
class QLineEdit;
class QRadioButton;

namespace sumwise::qt {

// The frame of the five memory banks: account name above the bank text, selector to its right.
class MemoryPanel : public QGroupBox {
    Q_OBJECT
public:
    // A click on a selector or a name, or a press on a bank text, goes to the banks.
    explicit MemoryPanel(MemoryBanks& banks, QWidget* parent = nullptr);

    // Shows the banks' texts, names, selectors and the selected bank's colour.
    void refresh();

signals:
    // A bank was chosen or renamed; the window re-reads the core's state.
    void changed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The selected bank's field stands out in a colour of its own.
    void showSelected(QLineEdit& text, bool selected);

    MemoryBanks& banks_;
    std::array<QLabel*, MemoryBanks::kCount> accounts_{};
    std::array<QLineEdit*, MemoryBanks::kCount> texts_{};
    std::array<QRadioButton*, MemoryBanks::kCount> selectors_{};
};

} // namespace sumwise::qt
