#pragma once

#include <QDialog>
#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "form/CalcForm.h"
#include "history/HistorySearch.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTreeView;

namespace sumwise::qt {

class HistoryModel;

// File > Tape History: the kept tapes, newest first, with a search that filters them as the
// user types. The rows' summaries are read as the window opens; the amounts and notes a
// search looks at are read by a thread of the window's own, so typing never waits for them.
class HistoryWindow : public QDialog {
    Q_OBJECT
public:
    HistoryWindow(CalcForm& form, DesktopServices& desktop, QWidget* parent = nullptr);
    ~HistoryWindow() override;

    // Done reading what searches look at (tests wait for it).
    bool indexed() const;
    std::size_t shownRows() const;

protected:
    // Up, Down and the page keys in the search field move through the list.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void load();
    void startIndexing(std::vector<std::string> paths);
    void stopIndexing();
    // Takes what the thread has read so far and searches it.
    void takeIndexed();
    void search();
    void openSelected();
    void deleteSelected();
    int selectedRow() const;

    CalcForm& form_;
    DesktopServices& desktop_;
    HistoryModel* model_ = nullptr;
    QLineEdit* txtSearch_ = nullptr;
    QTreeView* lstHistory_ = nullptr;
    QPushButton* cmdOpen_ = nullptr;
    QPushButton* cmdDelete_ = nullptr;
    QCheckBox* chkKeepHistory_ = nullptr;

    std::vector<KeptTapeIndex> index_; // one per row of all rows, filled in order
    std::thread worker_;
    std::atomic<bool> stop_{false};
    std::mutex readMutex_;
    std::vector<KeptTapeIndex> read_; // handed over by the thread, under readMutex_
    bool takePosted_ = false;         // under readMutex_
};

} // namespace sumwise::qt
