#pragma once

#include <QStyledItemDelegate>

namespace sumwise::qt {

// Draws a tape line as the list does, right-aligned, then its note, if any, dimmed in the room
// to the left of the line and elided to fit.
class TapeLineDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // How much of the text's ink a note keeps: dimmed as secondary text, never below the
    // contrast normal text needs.
    static constexpr double kNoteOpacity = 0.6;
    // The opaque colour a note is drawn in on a plain or a selected line.
    static QColor noteInk(const QPalette& palette, bool selected);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    // Where the note of the line goes; empty without a note or without room for one.
    QRect noteRect(const QStyleOptionViewItem& option, const QModelIndex& index) const;
};

} // namespace sumwise::qt
