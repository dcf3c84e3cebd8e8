#pragma once

#include <QStyledItemDelegate>

namespace sumwise::qt {

// Draws a tape line as the list does, then its note, if any, dimmed in the room to the right
// of the number and elided to fit.
class TapeLineDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

} // namespace sumwise::qt
