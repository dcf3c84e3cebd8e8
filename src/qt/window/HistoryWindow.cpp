#include "qt/window/HistoryWindow.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>
#include <iterator>

#include "history/KeptTapeSummary.h"
#include "platform/FileOps.h"
#include "qt/window/HistoryModel.h"

namespace sumwise::qt {

namespace {

// The thread hands over what it read in batches, so the window is woken a few times only.
constexpr std::size_t kBatch = 50;

} // namespace

HistoryWindow::HistoryWindow(CalcForm& form, DesktopServices& desktop, QWidget* parent)
    : QDialog(parent), form_(form), desktop_(desktop) {
    setObjectName("frmHistory");
    setWindowTitle("Tape History");
    buildControls();
    load();
    txtSearch_->setFocus();
}

HistoryWindow::~HistoryWindow() {
    stopIndexing();
}

void HistoryWindow::buildControls() {
    auto* label = new QLabel("&Search", this);
    txtSearch_ = new QLineEdit(this);
    txtSearch_->setObjectName("txtSearch");
    txtSearch_->setAccessibleName("Search");
    txtSearch_->setPlaceholderText("An amount or a word of a note");
    label->setBuddy(txtSearch_);
    txtSearch_->installEventFilter(this);

    model_ = new HistoryModel(this);
    lstHistory_ = new QTreeView(this);
    lstHistory_->setObjectName("lstHistory");
    lstHistory_->setAccessibleName("Kept tapes");
    lstHistory_->setModel(model_);
    lstHistory_->setRootIsDecorated(false);
    lstHistory_->setUniformRowHeights(true);
    lstHistory_->setAllColumnsShowFocus(true);
    lstHistory_->setSelectionMode(QAbstractItemView::SingleSelection);
    lstHistory_->header()->setStretchLastSection(true);

    chkKeepHistory_ = new QCheckBox("&Keep tape history", this);
    chkKeepHistory_->setObjectName("chkKeepHistory");
    chkKeepHistory_->setChecked(form_.Settings().CurrentOptions().keepHistory);
    cmdOpen_ = new QPushButton("&Open", this);
    cmdOpen_->setObjectName("cmdOpen");
    cmdOpen_->setDefault(true);
    cmdDelete_ = new QPushButton("&Delete", this);
    cmdDelete_->setObjectName("cmdDelete");
    cmdDelete_->setAutoDefault(false);
    auto* close = new QPushButton("Close", this);
    close->setObjectName("cmdClose");
    close->setAutoDefault(false);

    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(label);
    searchRow->addWidget(txtSearch_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(chkKeepHistory_);
    buttons->addStretch(1);
    buttons->addWidget(cmdOpen_);
    buttons->addWidget(cmdDelete_);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(searchRow);
    layout->addWidget(lstHistory_, 1);
    layout->addLayout(buttons);
    resize(620, 420);

    connect(txtSearch_, &QLineEdit::textChanged, this, [this] { search(); });
    // Enter reaches Open as the default button; the list's own activation would open twice.
    connect(lstHistory_, &QTreeView::doubleClicked, this, [this] { openSelected(); });
    connect(cmdOpen_, &QPushButton::clicked, this, [this] { openSelected(); });
    connect(cmdDelete_, &QPushButton::clicked, this, [this] { deleteSelected(); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(chkKeepHistory_, &QCheckBox::toggled, this,
            [this](bool keep) { form_.Settings().SetKeepHistory(keep); });
}

bool HistoryWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtSearch_ && event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            QCoreApplication::sendEvent(lstHistory_, event);
            return true;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void HistoryWindow::load() {
    TapeHistory& history = form_.Document().History();
    std::vector<HistoryModel::Row> rows;
    std::vector<std::string> paths;
    std::string bytes;
    for (const TapeHistory::Entry& entry : history.List()) {
        // A tape that cannot be read now is listed all the same; opening it says why.
        bytes.clear();
        history.Read(entry.fileName, bytes);
        const KeptTapeSummary summary = SummarizeKeptTape(bytes);
        rows.push_back({entry.fileName, QString::fromStdString(KeptTapeTimeText(entry.name.when)),
                        summary.lines, QString::fromStdString(summary.lastTotal),
                        QString::fromStdString(summary.firstNote)});
        paths.push_back(history.PathOf(entry.fileName));
    }
    model_->setRows(std::move(rows));
    for (int column = 0; column < 3; ++column) {
        lstHistory_->resizeColumnToContents(column);
    }
    search();
    startIndexing(std::move(paths));
}

void HistoryWindow::startIndexing(std::vector<std::string> paths) {
    index_.clear();
    index_.reserve(paths.size());
    worker_ = std::thread([this, paths = std::move(paths)] {
        DiskFileOps files; // the thread's own: file operations keep their last failure
        std::vector<KeptTapeIndex> batch;
        std::string bytes;
        for (std::size_t i = 0; i < paths.size() && !stop_; ++i) {
            bytes.clear();
            files.ReadFile(paths[i], bytes);
            batch.push_back(IndexKeptTape(bytes));
            if (batch.size() == kBatch || i + 1 == paths.size()) {
                std::lock_guard<std::mutex> lock(readMutex_);
                std::move(batch.begin(), batch.end(), std::back_inserter(read_));
                batch.clear();
                if (!takePosted_) {
                    takePosted_ = true;
                    QMetaObject::invokeMethod(
                        this, [this] { takeIndexed(); }, Qt::QueuedConnection);
                }
            }
        }
    });
}

void HistoryWindow::stopIndexing() {
    stop_ = true;
    if (worker_.joinable()) {
        worker_.join();
    }
    std::lock_guard<std::mutex> lock(readMutex_);
    read_.clear();
}

void HistoryWindow::takeIndexed() {
    {
        std::lock_guard<std::mutex> lock(readMutex_);
        std::move(read_.begin(), read_.end(), std::back_inserter(index_));
        read_.clear();
        takePosted_ = false;
    }
    if (!txtSearch_->text().trimmed().isEmpty()) {
        search();
    }
}

void HistoryWindow::search() {
    const HistoryQuery query =
        ReadHistoryQuery(txtSearch_->text().toStdString(), desktop_.LocaleDecimalComma());
    model_->setShown(ShownTapes(index_, model_->allRows(), query));
    // The newest match is the one most often looked for.
    if (model_->rowCount() > 0 && selectedRow() < 0) {
        lstHistory_->setCurrentIndex(model_->index(0, 0));
    }
    cmdOpen_->setEnabled(model_->rowCount() > 0);
    cmdDelete_->setEnabled(model_->rowCount() > 0);
}

bool HistoryWindow::indexed() const {
    return index_.size() == model_->allRows();
}

std::size_t HistoryWindow::shownRows() const {
    return static_cast<std::size_t>(model_->rowCount());
}

int HistoryWindow::selectedRow() const {
    const QModelIndexList selected = lstHistory_->selectionModel()->selectedRows();
    return selected.isEmpty() ? -1 : selected.front().row();
}

void HistoryWindow::openSelected() {
    const int row = selectedRow();
    if (row >= 0 && form_.Document().OpenKeptTape(model_->row(row).fileName)) {
        accept();
    }
}

void HistoryWindow::deleteSelected() {
    const int row = selectedRow();
    if (row < 0 || !form_.Document().DeleteKeptTape(model_->row(row).fileName)) {
        return;
    }
    // Read again, as when the window opened: the rows and the search follow the folder.
    stopIndexing();
    stop_ = false;
    load();
    if (model_->rowCount() > 0) {
        lstHistory_->setCurrentIndex(model_->index(std::min(row, model_->rowCount() - 1), 0));
    }
}

} // namespace sumwise::qt
