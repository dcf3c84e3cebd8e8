#include "qt/TapeLineDelegate.h"

#include <QApplication>
#include <QPainter>

#include "qt/TapeListModel.h"

namespace sumwise::qt {

void TapeLineDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    QStyledItemDelegate::paint(painter, option, index);
    const QString note = index.data(TapeListModel::kNoteRole).toString();
    if (note.isEmpty()) {
        return;
    }
    QStyleOptionViewItem line = option;
    initStyleOption(&line, index);
    const QFontMetrics metrics(line.font);
    QFont face = line.font;
    face.setBold(false); // a note beside a bold total stays plain
    const QFontMetrics noteMetrics(face);
    const int gap = metrics.horizontalAdvance(QLatin1Char(' ')) * 2;
    const QWidget* widget = option.widget;
    const QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
    const QRect text = style->subElementRect(QStyle::SE_ItemViewItemText, &line, widget);
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const int textEnd = text.left() + margin + metrics.horizontalAdvance(line.text) + gap;
    const int room = option.rect.right() - textEnd - 2;
    if (room < metrics.averageCharWidth() * 2) {
        return;
    }
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    QColor ink = option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
    ink.setAlphaF(0.6f); // dimmed, still readable on either background
    painter->save();
    painter->setFont(face);
    painter->setPen(ink);
    const QRect place(textEnd, option.rect.top(), room, option.rect.height());
    painter->drawText(place, Qt::AlignLeft | Qt::AlignVCenter,
                      noteMetrics.elidedText(note, Qt::ElideRight, room));
    painter->restore();
}

} // namespace sumwise::qt
