#pragma once

#include <QAbstractItemView>

namespace sumwise::qt {

// The tape's list: one column of lines of one height. Unlike a QListView it keeps no layout
// of its own, so a line added or dropped costs the same on a tape of 32,766 lines as on a
// short one: a row's place is its number times the line height.
class TapeView : public QAbstractItemView {
    Q_OBJECT
public:
    explicit TapeView(QWidget* parent = nullptr);

    QRect visualRect(const QModelIndex& index) const override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    QModelIndex indexAt(const QPoint& point) const override;
    void setModel(QAbstractItemModel* model) override;
    // The height of every line, in device-independent pixels.
    int lineHeight() const;
    // How many lines a page key passes: those seen whole, less one kept in view.
    int pageLines() const;
    // The colour the lines are drawn on.
    QColor background() const;

signals:
    void pageLinesChanged(int lines);
    // The palette changed what the lines are drawn on: inks chosen against it choose again.
    void backgroundChanged(const QColor& background);

protected:
    bool event(QEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    int horizontalOffset() const override;
    int verticalOffset() const override;
    bool isIndexHidden(const QModelIndex& index) const override;
    void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) override;
    QRegion visualRegionForSelection(const QItemSelection& selection) const override;
    void updateGeometries() override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void rowsInserted(const QModelIndex& parent, int start, int end) override;
    void reset() override;
    // A screen reader hears the line the focus moves to and the line picked.
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    int rows() const;
    // The rows that fit the viewport, whole or in part.
    int visibleRows() const;
    void measureLine();
    // Draws again from this row's line to the bottom of the view.
    void updateFromRow(int row);

    int lineHeight_ = 16;
    int pageLines_ = 0;        // as last told
    bool keepPicture_ = false; // the scroll value follows lines that stay in place
};

} // namespace sumwise::qt
