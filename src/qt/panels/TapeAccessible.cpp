#include "qt/panels/TapeAccessible.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <QWindow>

namespace sumwise::qt {

TapeLineAccessible::TapeLineAccessible(QAbstractItemView* view, const QModelIndex& line)
    : view_(view), line_(line) {}

bool TapeLineAccessible::isValid() const {
    return !view_.isNull() && line_.isValid();
}

QWindow* TapeLineAccessible::window() const {
    return view_.isNull() ? nullptr : view_->window()->windowHandle();
}

QAccessibleInterface* TapeLineAccessible::parent() const {
    return view_.isNull() ? nullptr : QAccessible::queryAccessibleInterface(view_.data());
}

QString TapeLineAccessible::text(QAccessible::Text t) const {
    if (!isValid()) {
        return {};
    }
    switch (t) {
    case QAccessible::Name: {
        // The line with its note, as the model words it for a reader.
        const QString spoken = line_.data(Qt::AccessibleTextRole).toString();
        return spoken.isEmpty() ? line_.data(Qt::DisplayRole).toString() : spoken;
    }
    case QAccessible::Description:
        return line_.data(Qt::AccessibleDescriptionRole).toString();
    default:
        return {};
    }
}

QRect TapeLineAccessible::rect() const {
    if (!isValid()) {
        return {};
    }
    const QRect shown = view_->visualRect(line_).intersected(view_->viewport()->rect());
    if (shown.isEmpty()) {
        return {};
    }
    return {view_->viewport()->mapToGlobal(shown.topLeft()), shown.size()};
}

QAccessible::State TapeLineAccessible::state() const {
    QAccessible::State state;
    if (!isValid()) {
        state.invalid = true;
        return state;
    }
    state.selectable = true;
    state.focusable = true;
    const QItemSelectionModel* selection = view_->selectionModel();
    state.selected = selection != nullptr && selection->isSelected(line_);
    state.focused = view_->hasFocus() && view_->currentIndex() == QModelIndex(line_);
    state.offscreen = !view_->visualRect(line_).intersects(view_->viewport()->rect());
    state.invisible = !view_->isVisible();
    return state;
}

TapeAccessible::TapeAccessible(QAbstractItemView* view)
    : QAccessibleWidget(view, QAccessible::List) {}

void TapeAccessible::watchModel() const {
    // Made as the view is named, before it has its model: the model is watched once it is there.
    const QAbstractItemModel* model = view()->model();
    if (model == watched_) {
        return;
    }
    watched_ = model;
    *moved_ = true;
    if (model == nullptr) {
        return;
    }
    auto moved = [flag = moved_] { *flag = true; };
    QObject::connect(model, &QAbstractItemModel::rowsInserted, view(), moved);
    QObject::connect(model, &QAbstractItemModel::rowsRemoved, view(), moved);
    QObject::connect(model, &QAbstractItemModel::modelReset, view(), moved);
    QObject::connect(model, &QAbstractItemModel::layoutChanged, view(), moved);
}

TapeAccessible::~TapeAccessible() {
    for (const QAccessible::Id id : std::as_const(lines_)) {
        QAccessible::deleteAccessibleInterface(id);
    }
}

QAbstractItemView* TapeAccessible::view() const {
    return static_cast<QAbstractItemView*>(widget());
}

int TapeAccessible::childCount() const {
    const QAbstractItemModel* model = view()->model();
    return model == nullptr ? 0 : model->rowCount(view()->rootIndex());
}

void TapeAccessible::refile() const {
    watchModel();
    if (!*moved_) {
        return;
    }
    *moved_ = false;
    QHash<int, QAccessible::Id> refiled;
    for (const QAccessible::Id id : std::as_const(lines_)) {
        const auto* line = static_cast<TapeLineAccessible*>(QAccessible::accessibleInterface(id));
        if (line != nullptr && line->row() >= 0) {
            refiled.insert(line->row(), id);
        } else {
            QAccessible::deleteAccessibleInterface(id);
        }
    }
    lines_.swap(refiled);
}

QAccessibleInterface* TapeAccessible::child(int index) const {
    if (index < 0 || index >= childCount()) {
        return nullptr;
    }
    refile();
    const auto found = lines_.constFind(index);
    if (found != lines_.constEnd()) {
        if (QAccessibleInterface* line = QAccessible::accessibleInterface(*found)) {
            return line;
        }
    }
    auto* line =
        new TapeLineAccessible(view(), view()->model()->index(index, 0, view()->rootIndex()));
    lines_.insert(index, QAccessible::registerAccessibleInterface(line));
    return line;
}

int TapeAccessible::indexOfChild(const QAccessibleInterface* child) const {
    if (child == nullptr || child->role() != QAccessible::ListItem || child->parent() != this) {
        return -1;
    }
    return static_cast<const TapeLineAccessible*>(child)->row();
}

QAccessibleInterface* TapeAccessible::childAt(int x, int y) const {
    const QPoint inView = view()->viewport()->mapFromGlobal(QPoint(x, y));
    const QModelIndex line = view()->indexAt(inView);
    return line.isValid() ? child(line.row()) : nullptr;
}

} // namespace sumwise::qt
