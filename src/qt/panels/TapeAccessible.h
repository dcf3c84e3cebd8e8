#pragma once

#include <QAccessibleWidget>
#include <QHash>
#include <QPersistentModelIndex>
#include <QPointer>
#include <memory>

class QAbstractItemView;

namespace sumwise::qt {

// One line of the tape as a screen reader sees it: its text with its note, and whether it is
// the selected line. It follows its line when lines above it go, and is gone with its line.
class TapeLineAccessible : public QAccessibleInterface {
public:
    TapeLineAccessible(QAbstractItemView* view, const QModelIndex& line);

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override;

    // The line's row now; -1 once the line is gone.
    int row() const { return line_.isValid() ? line_.row() : -1; }

private:
    QPointer<QAbstractItemView> view_;
    QPersistentModelIndex line_;
};

// The tape as a list with one item per line. The view draws its lines itself, so Qt sees
// only a scroll area; this gives a screen reader the lines. Items are made only for the
// lines asked for, so a long tape costs nothing until they are read.
class TapeAccessible : public QAccessibleWidget {
public:
    explicit TapeAccessible(QAbstractItemView* view);
    ~TapeAccessible() override;

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;

private:
    QAbstractItemView* view() const;
    void watchModel() const;
    // Sorts the items made so far by the rows their lines now stand on, and lets go of those
    // whose lines are gone; only after lines were added or dropped.
    void refile() const;

    mutable QHash<int, QAccessible::Id> lines_; // row: item
    // Set by the model when lines come or go; shared, as the view may outlive this.
    std::shared_ptr<bool> moved_ = std::make_shared<bool>(false);
    mutable QPointer<const QAbstractItemModel> watched_;
};

} // namespace sumwise::qt
