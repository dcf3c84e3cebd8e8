#include "qt/panels/TapeLineDelegate.h"

#include <QApplication>
#include <QPainter>

#include "qt/panels/Contrast.h"
#include "qt/panels/TapeListModel.h"

namespace sumwise::qt {

QColor TapeLineDelegate::noteInk(const QPalette& palette, bool selected) {
    const QColor text = palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
    const QColor under = palette.color(selected ? QPalette::Highlight : QPalette::Base);
    return DimmedInk(text, under, kNoteOpacity);
}

void TapeLineDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    QStyledItemDelegate::paint(painter, option, index);
    const QRect place = noteRect(option, index);
    if (place.isEmpty()) {
        return;
    }
    QFont face = option.font;
    face.setBold(false); // a note beside a bold total stays plain
    const QString note = index.data(TapeListModel::kNoteRole).toString();
    painter->save();
    painter->setFont(face);
    painter->setPen(noteInk(option.palette, option.state.testFlag(QStyle::State_Selected)));
    painter->drawText(place, Qt::AlignLeft | Qt::AlignVCenter,
                      QFontMetrics(face).elidedText(note, Qt::ElideRight, place.width()));
    painter->restore();
}

QRect TapeLineDelegate::noteRect(const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
    if (index.data(TapeListModel::kNoteRole).toString().isEmpty()) {
        return {};
    }
    QStyleOptionViewItem line = option;
    initStyleOption(&line, index);
    const QFontMetrics metrics(line.font);
    const int gap = metrics.horizontalAdvance(QLatin1Char(' ')) * 2;
    const QWidget* widget = option.widget;
    const QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
    const QRect text = style->subElementRect(QStyle::SE_ItemViewItemText, &line, widget);
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    // The line stands at the right; its note takes what is left of the room before it.
    const int lineLeft = text.right() - margin - metrics.horizontalAdvance(line.text);
    const int left = text.left() + margin;
    const int room = lineLeft - gap - left;
    if (room < metrics.averageCharWidth() * 2) {
        return {};
    }
    return {left, option.rect.top(), room, option.rect.height()};
}

} // namespace sumwise::qt
