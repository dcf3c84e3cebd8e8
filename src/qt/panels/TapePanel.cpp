#include "qt/panels/TapePanel.h"

#include <QApplication>

#include "form/CalcForm.h"
#include "qt/panels/ControlPlaces.h"
#include "qt/panels/TabularFont.h"
#include "qt/panels/TapeLineDelegate.h"
#include "qt/panels/TapeListModel.h"
#include "qt/panels/TapeView.h"

namespace sumwise::qt {

TapePanel::TapePanel(CalcForm& form, QWidget* client) : QObject(client), form_(form) {
    tapeModel_ = new TapeListModel(form_.lstTape(), nullptr);
    lstTape_ = new TapeView(client);
    lstTape_->setObjectName("lstTape");
    lstTape_->setAccessibleName("Calculation tape");
    lstTape_->setGeometry(Pixels(kTapeRect));
    lstTape_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstTape_->setSelectionMode(QAbstractItemView::SingleSelection);
    lstTape_->setModel(tapeModel_);
    lstTape_->setItemDelegate(new TapeLineDelegate(lstTape_));
    // Digits of one width, so the right-aligned amounts stand in columns.
    lstTape_->setFont(TabularFont(lstTape_->font()));
    tapeModel_->setFont(lstTape_->font());
    tapeModel_->setBackground(lstTape_->background());
    connect(lstTape_, &TapeView::backgroundChanged, tapeModel_, &TapeListModel::setBackground);
    followSelection();

    // The page keys pass as many lines as the view shows.
    form_.Document().SetTapePage(lstTape_->pageLines());
    connect(lstTape_, &TapeView::pageLinesChanged, this,
            [this](int lines) { form_.Document().SetTapePage(lines); });
    connect(lstTape_, &TapeView::doubleClicked, this, [this](const QModelIndex& index) {
        form_.lstTape().Select(index.row());
        form_.Document().lstTape_DblClick();
        emit changed();
        changeOpened_.start();
    });
    // A click selects the line and gives the keys back to the keypad.
    connect(lstTape_, &TapeView::clicked, this, [this] {
        // The release that ends a double click is no click of its own: the focus stays in
        // the change panel that the double click opened.
        if (changeOpened_.isValid() &&
            changeOpened_.elapsed() < QApplication::doubleClickInterval()) {
            return;
        }
        form_.Document().lstTape_Click();
    });
}

TapePanel::~TapePanel() {
    delete tapeModel_;
}

// The core's selection shows in the view, and the view's current line is the core's.
void TapePanel::followSelection() {
    connect(tapeModel_, &TapeListModel::lineSelected, this, [this](int row) {
        const QModelIndex index = tapeModel_->index(row);
        if (lstTape_->currentIndex() != index) {
            lstTape_->setCurrentIndex(index);
        }
        if (index.isValid()) {
            lstTape_->scrollTo(index);
        }
    });
    connect(lstTape_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (current.row() != form_.lstTape().Selected()) {
                    form_.lstTape().Select(current.row());
                }
            });
}

} // namespace sumwise::qt
