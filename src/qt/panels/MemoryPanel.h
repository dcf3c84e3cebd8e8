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
    explicit MemoryPanel(QWidget* parent = nullptr);

    // Shows the banks' texts, names, selectors and the selected bank's colour.
    void refresh(const MemoryBanks& banks);

signals:
    void selectorClicked(int bank);
    void accountClicked(int bank);
    void bankTextPressed();

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::array<QLabel*, MemoryBanks::kCount> accounts_{};
    std::array<QLineEdit*, MemoryBanks::kCount> texts_{};
    std::array<QRadioButton*, MemoryBanks::kCount> selectors_{};
};

} // namespace sumwise::qt
