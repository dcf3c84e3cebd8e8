#pragma once

#include <QAbstractTableModel>
#include <string>
#include <vector>

namespace sumwise::qt {

// The kept tapes as rows, newest first: when kept, lines, last total, first note. Rows a
// search leaves out are hidden, not removed.
class HistoryModel : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Row {
        std::string fileName;
        QString when;
        qulonglong lines = 0;
        QString lastTotal;
        QString firstNote;
    };

    explicit HistoryModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    void setRows(std::vector<Row> rows);
    // shown[i] for the i-th of all rows.
    void setShown(const std::vector<bool>& shown);
    // The shown row's place among all rows; -1 for none.
    int rowOf(int shownRow) const;
    const Row& row(int shownRow) const { return rows_[static_cast<std::size_t>(rowOf(shownRow))]; }
    std::size_t allRows() const { return rows_.size(); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<Row> rows_;
    std::vector<int> shown_; // places in rows_, in order
};

} // namespace sumwise::qt
