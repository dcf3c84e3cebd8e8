#pragma once

#include <QAbstractListModel>
#include <QColor>
#include <QFont>

#include "tape/Tape.h"

namespace sumwise::qt {

// Shows the core's tape in a list view, following its changes row by row.
class TapeListModel : public QAbstractListModel, public TapeListener {
    Q_OBJECT
public:
    explicit TapeListModel(Tape& tape, QObject* parent = nullptr);

    // The ink of the lines the printed tape shows in red (IsRedLine): a deep red that keeps
    // its contrast on white (and on the selection) for readers with weak colour vision too.
    // On a background where it does not, a lighter red takes its place (setBackground).
    static constexpr QRgb kNegativeInk = 0xFFB00000;
    // The line's note, empty when it has none.
    static constexpr int kNoteRole = Qt::UserRole + 1;
    // The view's font, on which total lines are set in bold.
    void setFont(const QFont& font) { font_ = font; }
    // The view's background, against which the red lines are given a readable red.
    void setBackground(const QColor& background);
    ~TapeListModel() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    void LineAppended() override;
    void FirstLineRemoved() override;
    void LineRewritten(std::size_t row) override;
    void Cleared() override;
    void Replaced() override;
    void SelectionChanged(int row) override;

signals:
    // The core selected a line (-1: none); the view selects it and scrolls it into view.
    void lineSelected(int row);

private:
    Tape& tape_;
    int rows_ = 0; // the rows the view has been told of
    QFont font_;
    QColor negativeInk_{kNegativeInk};
};

} // namespace sumwise::qt
