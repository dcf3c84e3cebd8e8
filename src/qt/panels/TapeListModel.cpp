#include "qt/panels/TapeListModel.h"

#include <QColor>
#include <QFont>

#include "qt/panels/Contrast.h"
#include "tape/TapeLine.h"

namespace sumwise::qt {

TapeListModel::TapeListModel(Tape& tape, QObject* parent)
    : QAbstractListModel(parent), tape_(tape), rows_(static_cast<int>(tape.Count())) {
    tape_.AddListener(this);
}

TapeListModel::~TapeListModel() {
    tape_.RemoveListener(this);
}

int TapeListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

QVariant TapeListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows_ ||
        static_cast<std::size_t>(index.row()) >= tape_.Count()) {
        return {};
    }
    const std::string& line = tape_.Line(static_cast<std::size_t>(index.row()));
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromStdString(line);
    case Qt::AccessibleTextRole: {
        const std::string& note = tape_.Note(static_cast<std::size_t>(index.row()));
        return QString::fromStdString(note.empty() ? line : line + ", " + note);
    }
    case kNoteRole:
        return QString::fromStdString(tape_.Note(static_cast<std::size_t>(index.row())));
    case Qt::ToolTipRole: {
        // The whole note, which the line may show only in part.
        const std::string& note = tape_.Note(static_cast<std::size_t>(index.row()));
        return note.empty() ? QVariant() : QVariant(QString::fromStdString(note));
    }
    case Qt::ForegroundRole:
        if (IsRedLine(line)) {
            return negativeInk_;
        }
        return {};
    case Qt::TextAlignmentRole:
        // Right-aligned as on the printed roll, so the decimal points stand in one column.
        return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
    case Qt::FontRole:
        switch (KindOf(line)) {
        case TapeLineKind::Total:
        case TapeLineKind::SubTotal:
        case TapeLineKind::GrandTotal: {
            QFont bold = font_;
            bold.setBold(true);
            return bold;
        }
        default:
            return {};
        }
    default:
        return {};
    }
}

void TapeListModel::setBackground(const QColor& background) {
    const QColor ink = ReadableInk(QColor(kNegativeInk), background);
    if (ink != negativeInk_) {
        negativeInk_ = ink;
        if (rows_ > 0) {
            emit dataChanged(index(0), index(rows_ - 1), {Qt::ForegroundRole});
        }
    }
}

void TapeListModel::LineAppended() {
    beginInsertRows(QModelIndex(), rows_, rows_);
    ++rows_;
    endInsertRows();
}

void TapeListModel::FirstLineRemoved() {
    beginRemoveRows(QModelIndex(), 0, 0);
    --rows_;
    endRemoveRows();
}

void TapeListModel::LineRewritten(std::size_t row) {
    const QModelIndex changed = index(static_cast<int>(row));
    emit dataChanged(changed, changed, {Qt::DisplayRole, kNoteRole, Qt::ToolTipRole});
}

void TapeListModel::Cleared() {
    beginResetModel();
    rows_ = 0;
    endResetModel();
}

void TapeListModel::Replaced() {
    beginResetModel();
    rows_ = static_cast<int>(tape_.Count());
    endResetModel();
}

void TapeListModel::SelectionChanged(int row) {
    emit lineSelected(row);
}

} // namespace sumwise::qt
