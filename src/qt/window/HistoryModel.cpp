#include "qt/window/HistoryModel.h"

namespace sumwise::qt {

namespace {

enum Column { kWhen, kLines, kTotal, kNote, kColumns };

} // namespace

void HistoryModel::setRows(std::vector<Row> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    shown_.resize(rows_.size());
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        shown_[i] = static_cast<int>(i);
    }
    endResetModel();
}

void HistoryModel::setShown(const std::vector<bool>& shown) {
    std::vector<int> places;
    for (std::size_t i = 0; i < rows_.size() && i < shown.size(); ++i) {
        if (shown[i]) {
            places.push_back(static_cast<int>(i));
        }
    }
    if (places == shown_) {
        return; // typing on, the same rows: the selection stays put
    }
    beginResetModel();
    shown_ = std::move(places);
    endResetModel();
}

int HistoryModel::rowOf(int shownRow) const {
    if (shownRow < 0 || shownRow >= static_cast<int>(shown_.size())) {
        return -1;
    }
    return shown_[static_cast<std::size_t>(shownRow)];
}

int HistoryModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(shown_.size());
}

int HistoryModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QVariant HistoryModel::data(const QModelIndex& index, int role) const {
    const int place = rowOf(index.row());
    if (place < 0) {
        return {};
    }
    const Row& row = rows_[static_cast<std::size_t>(place)];
    if (role == Qt::TextAlignmentRole) {
        return index.column() == kLines || index.column() == kTotal
                   ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                   : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    }
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) {
        return {};
    }
    switch (index.column()) {
    case kWhen:
        return row.when;
    case kLines:
        return row.lines;
    case kTotal:
        return row.lastTotal;
    case kNote:
        return row.firstNote;
    default:
        return {};
    }
}

QVariant HistoryModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return {};
    }
    switch (section) {
    case kWhen:
        return QStringLiteral("Kept");
    case kLines:
        return QStringLiteral("Lines");
    case kTotal:
        return QStringLiteral("Last total");
    case kNote:
        return QStringLiteral("First note");
    default:
        return {};
    }
}

} // namespace sumwise::qt
