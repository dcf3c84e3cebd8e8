#include "qt/panels/TapeView.h"

#include <QAccessible>
#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "engine/TapeMove.h"
#include "qt/panels/PanelAccessibility.h"

namespace sumwise::qt {

TapeView::TapeView(QWidget* parent) : QAbstractItemView(parent) {
    InstallPanelAccessibility();
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(ScrollPerItem);
    measureLine();
}

int TapeView::rows() const {
    return model() != nullptr ? model()->rowCount(rootIndex()) : 0;
}

int TapeView::lineHeight() const {
    return lineHeight_;
}

void TapeView::measureLine() {
    // What the delegate asks of a one-line text, the same for every line.
    lineHeight_ = std::max(1, fontMetrics().height() + 2);
}

int TapeView::visibleRows() const {
    return viewport()->height() / lineHeight_ + 1;
}

int TapeView::horizontalOffset() const {
    return 0;
}

int TapeView::verticalOffset() const {
    // The scroll bar counts whole lines.
    return verticalScrollBar()->value() * lineHeight_;
}

QRect TapeView::visualRect(const QModelIndex& index) const {
    if (!index.isValid() || index.parent() != rootIndex()) {
        return {};
    }
    return {0, index.row() * lineHeight_ - verticalOffset(), viewport()->width(), lineHeight_};
}

QModelIndex TapeView::indexAt(const QPoint& point) const {
    if (model() == nullptr || point.y() < 0 || point.x() < 0 || point.x() >= viewport()->width()) {
        return {};
    }
    const int row = (point.y() + verticalOffset()) / lineHeight_;
    return row < rows() ? model()->index(row, 0, rootIndex()) : QModelIndex();
}

bool TapeView::isIndexHidden(const QModelIndex&) const {
    return false;
}

void TapeView::scrollTo(const QModelIndex& index, ScrollHint hint) {
    if (!index.isValid()) {
        return;
    }
    const int whole = std::max(1, viewport()->height() / lineHeight_); // lines seen whole
    const int top = verticalScrollBar()->value();
    const int row = index.row();
    int wanted = top;
    switch (hint) {
    case PositionAtTop:
        wanted = row;
        break;
    case PositionAtBottom:
        wanted = row - whole + 1;
        break;
    case PositionAtCenter:
        wanted = row - whole / 2;
        break;
    case EnsureVisible:
        if (row < top) {
            wanted = row;
        } else if (row >= top + whole) {
            wanted = row - whole + 1;
        }
        break;
    }
    verticalScrollBar()->setValue(wanted);
}

int TapeView::pageLines() const {
    return std::max(1, viewport()->height() / lineHeight_ - 1);
}

QModelIndex TapeView::moveCursor(CursorAction action, Qt::KeyboardModifiers) {
    if (rows() == 0) {
        return {};
    }
    const int row = currentIndex().isValid() ? currentIndex().row() : -1;
    TapeMove move = TapeMove::Down;
    switch (action) {
    case MoveUp:
    case MovePrevious:
        move = TapeMove::Up;
        break;
    case MoveDown:
    case MoveNext:
        move = TapeMove::Down;
        break;
    case MovePageUp:
        move = TapeMove::PageUp;
        break;
    case MovePageDown:
        move = TapeMove::PageDown;
        break;
    case MoveHome:
        move = TapeMove::First;
        break;
    case MoveEnd:
        move = TapeMove::Last;
        break;
    case MoveLeft:
    case MoveRight:
        // No move: the current line, or the first when there is none.
        return model()->index(std::clamp(row, 0, rows() - 1), 0, rootIndex());
    }
    return model()->index(MovedLine(move, row, rows(), pageLines()), 0, rootIndex());
}

void TapeView::setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) {
    if (model() == nullptr || selectionModel() == nullptr) {
        return;
    }
    const QRect r = rect.normalized();
    const int first = std::max(0, (r.top() + verticalOffset()) / lineHeight_);
    const int last = std::min(rows() - 1, (r.bottom() + verticalOffset()) / lineHeight_);
    if (first > last) {
        selectionModel()->select(QItemSelection(), command);
        return;
    }
    const QItemSelection selection(model()->index(first, 0, rootIndex()),
                                   model()->index(last, 0, rootIndex()));
    selectionModel()->select(selection, command);
}

QRegion TapeView::visualRegionForSelection(const QItemSelection& selection) const {
    QRegion region;
    const QRect shown = viewport()->rect();
    for (const QItemSelectionRange& range : selection) {
        if (!range.isValid() || range.parent() != rootIndex()) {
            continue;
        }
        const QRect top = visualRect(model()->index(range.top(), 0, rootIndex()));
        const QRect bottom = visualRect(model()->index(range.bottom(), 0, rootIndex()));
        region += QRect(top.topLeft(), bottom.bottomRight()).intersected(shown);
    }
    return region;
}

void TapeView::updateGeometries() {
    const int whole = std::max(1, viewport()->height() / lineHeight_);
    verticalScrollBar()->setRange(0, std::max(0, rows() - whole));
    verticalScrollBar()->setPageStep(whole);
    verticalScrollBar()->setSingleStep(1);
    QAbstractItemView::updateGeometries();
    if (pageLines() != pageLines_) {
        pageLines_ = pageLines();
        emit pageLinesChanged(pageLines_);
    }
}

void TapeView::paintEvent(QPaintEvent* event) {
    if (model() == nullptr) {
        return;
    }
    QPainter painter(viewport());
    const QRect area = event->rect();
    const int top = verticalScrollBar()->value();
    const int first = top + std::max(0, area.top()) / lineHeight_;
    const int last = std::min(rows() - 1, top + area.bottom() / lineHeight_);
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const QModelIndex current = currentIndex();
    for (int row = first; row <= last; ++row) {
        const QModelIndex index = model()->index(row, 0, rootIndex());
        option.rect = visualRect(index);
        option.state = QStyle::State_Enabled;
        if (isEnabled() && window()->isActiveWindow()) {
            option.state |= QStyle::State_Active;
        }
        if (selectionModel() != nullptr && selectionModel()->isSelected(index)) {
            option.state |= QStyle::State_Selected;
        }
        if (index == current && hasFocus()) {
            option.state |= QStyle::State_HasFocus;
        }
        itemDelegateForIndex(index)->paint(&painter, option, index);
    }
}

bool TapeView::event(QEvent* event) {
    const bool done = QAbstractItemView::event(event);
    if (event->type() == QEvent::Paint && hasFocus()) {
        // The view's own paint is its frame. The style marks no focus on it, and a line
        // picked looks the same with or without the focus: the frame is outlined in the colour
        // of a focused field, as an empty tape with the focus must show it too.
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::Highlight));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    return done;
}

void TapeView::resizeEvent(QResizeEvent* event) {
    QAbstractItemView::resizeEvent(event);
    updateGeometries();
}

QColor TapeView::background() const {
    // The view's own palette: the viewport takes the new one only after the view is told.
    return palette().color(viewport()->backgroundRole());
}

void TapeView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        measureLine();
        updateGeometries();
        viewport()->update();
    }
    QAbstractItemView::changeEvent(event);
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange) {
        emit backgroundChanged(background());
    }
}

// Only what moved is drawn again: lines below an insertion or removal in view, or the whole
// view moved by whole lines when lines go above it. A line added at the bottom of a full view
// is one blit and one new line, which keeps a key press cheap.
void TapeView::updateFromRow(int row) {
    const int y = (row - verticalScrollBar()->value()) * lineHeight_;
    if (y < viewport()->height()) {
        viewport()->update(0, std::max(0, y), viewport()->width(), viewport()->height());
    }
}

void TapeView::rowsInserted(const QModelIndex& parent, int start, int end) {
    QAbstractItemView::rowsInserted(parent, start, end);
    if (parent == rootIndex()) {
        const int top = verticalScrollBar()->value();
        if (end < top) {
            viewport()->scroll(0, (end - start + 1) * lineHeight_); // the lines seen move down
        } else {
            updateFromRow(std::max(start, top));
        }
    }
    updateGeometries();
}

void TapeView::setModel(QAbstractItemModel* newModel) {
    if (model() != nullptr) {
        disconnect(model(), &QAbstractItemModel::rowsRemoved, this, nullptr);
    }
    QAbstractItemView::setModel(newModel);
    if (newModel != nullptr) {
        // The count is only right once the rows are gone.
        connect(newModel, &QAbstractItemModel::rowsRemoved, this,
                [this](const QModelIndex& parent, int start, int end) {
                    if (parent == rootIndex()) {
                        const int top = verticalScrollBar()->value();
                        if (end < top) {
                            // The lines in view stay where they are: the top row number
                            // follows them, and nothing needs drawing.
                            keepPicture_ = true;
                            verticalScrollBar()->setValue(top - (end - start + 1));
                            keepPicture_ = false;
                        } else {
                            updateFromRow(std::max(start, top));
                        }
                    }
                    updateGeometries();
                });
    }
    updateGeometries();
}

void TapeView::reset() {
    QAbstractItemView::reset();
    updateGeometries();
    viewport()->update();
}

void TapeView::scrollContentsBy(int, int dy) {
    // The scroll bar counts lines; the picture moves by whole lines.
    if (!keepPicture_) {
        viewport()->scroll(0, dy * lineHeight_);
    }
}

} // namespace sumwise::qt

namespace sumwise::qt {

namespace {

void TellAboutLine(QWidget* view, QAccessible::Event what, int row) {
    QAccessibleEvent event(view, what);
    event.setChild(row); // the line's item, not the list
    QAccessible::updateAccessibility(&event);
}

} // namespace

void TapeView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QAbstractItemView::currentChanged(current, previous);
    if (QAccessible::isActive() && current.isValid() && hasFocus()) {
        TellAboutLine(this, QAccessible::Focus, current.row());
    }
}

void TapeView::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) {
    QAbstractItemView::selectionChanged(selected, deselected);
    if (!QAccessible::isActive()) {
        return;
    }
    // One line at most is picked: the ranges hold a line or none.
    for (const QItemSelectionRange& range : deselected) {
        if (range.isValid() && range.bottom() < rows()) {
            TellAboutLine(this, QAccessible::SelectionRemove, range.top());
        }
    }
    for (const QItemSelectionRange& range : selected) {
        if (range.isValid()) {
            TellAboutLine(this, QAccessible::SelectionAdd, range.top());
        }
    }
}

} // namespace sumwise::qt
