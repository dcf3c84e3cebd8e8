// The window's construction: its widgets, their wiring to the core's handlers, and the
// refresh that shows the core's state after every event.
#include "qt/MainWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QTimer>

#include "platform/AppIdentity.h"
#include "qt/ChangeTapePanel.h"
#include "qt/ConverterPanel.h"
#include "qt/DisplayLabel.h"
#include "qt/KeypadLayout.h"
#include "qt/MainWindowPlatform.h"
#include "qt/MemoryPanel.h"
#include "qt/TabularFont.h"
#include "qt/TapeLineDelegate.h"
#include "qt/TapeListModel.h"
#include "qt/TapeView.h"

namespace sumwise::qt {

namespace {

QRect Pixels(const TwipsRect& r) {
    auto px = [](int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; };
    return {px(r.left), px(r.top), px(r.width), px(r.height)};
}

constexpr TwipsRect kClientArea{0, 0, 8730, 3480};
constexpr TwipsRect kDisplayRect{2520, 180, 3855, 330};
constexpr TwipsRect kDecimalLabelRect{2520, 3130, 1995, 255};
constexpr TwipsRect kDecimalListRect{4635, 3070, 1740, 330};
constexpr TwipsRect kTapeRect{6600, 180, 2055, 2800};
constexpr TwipsRect kPanelRect{120, 100, 2320, 3300};
// The change panel opens over the keypad, where the user sees it.
constexpr TwipsRect kChangeTapeRect{1800, 900, 4650, 1920}; // inside the narrow window too

// Tab and Shift+Tab go from the key sink through the controls the keypad does not cover.
void ChainTabOrder(const QList<QWidget*>& widgets) {
    for (qsizetype i = 1; i < widgets.size(); ++i) {
        QWidget::setTabOrder(widgets[i - 1], widgets[i]);
    }
}

// A list's closing popup or an option button moved to with an arrow takes the focus after
// the choice is handled; the keys go back to the keypad once that has happened.
void KeysBackAfterChoice(QWidget& window, QWidget* sink) {
    QTimer::singleShot(0, sink, [&window, sink] {
        if (window.isVisible() && window.isActiveWindow()) {
            sink->setFocus(Qt::OtherFocusReason);
        }
    });
}

const char* const kDecimalPlaceItems[] = {"Floating Decimal", "1 Fixed Decimal", "2 Fixed Decimal",
                                          "3 Fixed Decimal",  "4 Fixed Decimal", "5 Fixed Decimal",
                                          "6 Fixed Decimal"};

} // namespace

MainWindow::MainWindow(Services& services, QWidget* parent)
    : QMainWindow(parent), services_(services), host_(std::make_unique<Host>(*this)),
      form_(std::make_unique<CalcForm>(services, services, *host_)) {
    settling_ = new QTimer(this);
    settling_->setSingleShot(true);
    settling_->setInterval(kSettleMilliseconds);
    journalSync_ = new QTimer(this);
    journalSync_->setSingleShot(true);
    journalSync_->setInterval(2000); // a power loss costs at most the last two seconds
    connect(journalSync_, &QTimer::timeout, this, [this] { form_->SyncJournal(); });
    setObjectName("frmCalc");
    setWindowTitle(kAppTitle);
    // A compact sans face, as the keypad was designed for an 8-point system font.
    QFont face("Liberation Sans");
    face.setPointSize(8);
    setFont(face);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);

    auto* client = new QWidget(this);
    client->setObjectName("client");
    client->setFixedSize(Pixels(kClientArea).size());
    setCentralWidget(client);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    // The key sink: shown and focusable so it can hold the focus, but covered and 1 pixel.
    picSetFocus_ = new QWidget(client);
    picSetFocus_->setObjectName("picSetFocus");
    picSetFocus_->setAccessibleName("Calculator keys");
    picSetFocus_->setGeometry(0, 0, 1, 1);
    picSetFocus_->setFocusPolicy(Qt::StrongFocus);
    picSetFocus_->installEventFilter(this);

    buildDisplay(client);
    buildKeypad(client);
    buildDecimalPlaces(client);
    buildMenus();
    watchFocus();
    form_->Form_Load();
    setDisplayFonts();
    buildTape(client);
    buildMemoryPanel(client);
    dropClashingMnemonics(client);
    ChainTabOrder({picSetFocus_, cboDecPlace_, lstTape_});
    picSetFocus_->lower();
    tapeArea_ = {lstTape_, client->findChild<QWidget*>("cmdGrandTotal"),
                 client->findChild<QWidget*>("cmdClear")};
    if (auto* print = client->findChild<QWidget*>("cmdPrint")) {
        tapeArea_.append(print);
    }

    showLoadedState();
}

MainWindow::~MainWindow() {
    // The widgets and the tape model refer to the core, a member: they must go before it
    // does, not after, as Qt's deletion of the children would have it.
    delete centralWidget(); // deleted in place: taking it out first would restyle it all
    delete tapeModel_;
}

void MainWindow::buildDisplay(QWidget* client) {
    lblResult_ = new DisplayLabel(client);
    lblResult_->setObjectName("lblResult");
    lblResult_->setAccessibleName("Display");
    lblResult_->setGeometry(Pixels(kDisplayRect));
    lblResult_->setFrameShape(QFrame::Panel);
    lblResult_->setFrameShadow(QFrame::Sunken);
    lblResult_->setAutoFillBackground(true);
    lblResult_->setBackgroundRole(QPalette::Base);

    lblOperator_ = lblResult_->operatorLabel();
    lblOperator_->setObjectName("lblOperator");
    lblOperator_->setAccessibleName("Pending operator");
    lblGrandTotal_ = lblResult_->grandTotalLabel();
    lblGrandTotal_->setObjectName("lblGrandTotal");
    lblGrandTotal_->setAccessibleName("Grand total");
    lblResult_->addModeLabel()->setObjectName("lblAddMode");
    lblResult_->addModeLabel()->setAccessibleName("Add mode");
    lblResult_->itemsLabel()->setObjectName("lblItems");
    lblResult_->itemsLabel()->setAccessibleName("Item count");
}

void MainWindow::setDisplayFonts() {
    // Both lay the display out, measuring text: called once the font configuration is read.
    QFont displayFont = lblResult_->font();
    displayFont.setPixelSize(16);
    displayFont.setBold(true);
    lblResult_->setFont(displayFont);
    // The pending operator and the grand total, at the display's left in the body face.
    lblResult_->setSideFont(font());
}

void MainWindow::buildKeypad(QWidget* client) {
    for (const KeyButton& key : KeypadButtons()) {
        auto* button = new QPushButton(QString::fromUtf8(key.caption), client);
        button->setObjectName(key.objectName);
        button->setAccessibleName(key.accessibleName);
        if (key.toolTip != nullptr) {
            button->setAccessibleDescription(key.toolTip);
        }
        button->setGeometry(Pixels(key.rect));
        button->setFocusPolicy(Qt::NoFocus); // the key sink keeps the focus
        if (key.toolTip != nullptr) {
            button->setToolTip(key.toolTip);
        }
        const KeyCommand command = key.key;
        connect(button, &QPushButton::clicked, this, [this, command] { execute(command); });
    }
}

void MainWindow::buildDecimalPlaces(QWidget* client) {
    auto* lblLast = new QLabel("Decimal Place", client);
    lblLast->setObjectName("lblLast");
    lblLast->setGeometry(Pixels(kDecimalLabelRect));
    cboDecPlace_ = new QComboBox(client);
    cboDecPlace_->setObjectName("cboDecPlace");
    cboDecPlace_->setAccessibleName("Decimal places");
    cboDecPlace_->setGeometry(Pixels(kDecimalListRect));
    for (const char* item : kDecimalPlaceItems) {
        cboDecPlace_->addItem(item);
    }
    connect(cboDecPlace_, &QComboBox::activated, this, [this](int position) {
        form_->cboDecPlace_Click(position);
        refresh();
        KeysBackAfterChoice(*this, picSetFocus_);
    });
}

void MainWindow::buildTape(QWidget* client) {
    tapeModel_ = new TapeListModel(form_->lstTape(), this);
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
    lstTape_->installEventFilter(this);

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
                if (current.row() != form_->lstTape().Selected()) {
                    form_->lstTape().Select(current.row());
                }
            });
    // The page keys pass as many lines as the view shows.
    form_->SetTapePage(lstTape_->pageLines());
    connect(lstTape_, &TapeView::pageLinesChanged, this,
            [this](int lines) { form_->SetTapePage(lines); });
    connect(lstTape_, &TapeView::doubleClicked, this, [this](const QModelIndex& index) {
        form_->lstTape().Select(index.row());
        form_->lstTape_DblClick();
        refresh();
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
        form_->lstTape_Click();
    });
}

// Built when first opened: most sessions never change a line.
ChangeTapePanel* MainWindow::changePanel() {
    if (fraChangeTape_ != nullptr) {
        return fraChangeTape_;
    }
    fraChangeTape_ = new ChangeTapePanel(form_->ChangeTape(), centralWidget());
    fraChangeTape_->setGeometry(Pixels(kChangeTapeRect));
    connect(fraChangeTape_, &ChangeTapePanel::saveRequested, this, [this] {
        form_->cmdSaveChange_Click();
        refresh();
    });
    connect(fraChangeTape_, &ChangeTapePanel::cancelRequested, this, [this] {
        form_->cmdCancelChange_Click();
        refresh();
    });
    return fraChangeTape_;
}

void MainWindow::buildMemoryPanel(QWidget* client) {
    fraMemBanks_ = new MemoryPanel(client);
    fraMemBanks_->setGeometry(Pixels(kPanelRect));
    connect(fraMemBanks_, &MemoryPanel::selectorClicked, this, [this](int bank) {
        form_->SelectBank(bank);
        refresh();
    });
    connect(fraMemBanks_, &MemoryPanel::accountClicked, this, [this](int bank) {
        form_->lblAccounts_Click(bank);
        refresh();
    });
    connect(fraMemBanks_, &MemoryPanel::bankTextPressed, this,
            [this] { form_->txtMem_MouseDown(); });
}

// Built when first shown: the converter is hidden unless the user chose it.
ConverterPanel* MainWindow::converterPanel() {
    if (fraConversions_ != nullptr) {
        return fraConversions_;
    }
    fraConversions_ = new ConverterPanel(form_->Conversions(), centralWidget());
    fraConversions_->setGeometry(Pixels(kPanelRect));
    if (fraChangeTape_ != nullptr) {
        fraConversions_->stackUnder(fraChangeTape_); // an open change panel stays in front
    }
    connect(fraConversions_, &ConverterPanel::changed, this, [this] {
        refresh();
        // Also a choice that changed nothing gives the keys back to the keypad.
        if (isVisible()) {
            focusKeySink();
        }
        KeysBackAfterChoice(*this, picSetFocus_);
    });
    ChainTabOrder(QList<QWidget*>{lstTape_} + fraConversions_->focusChain());
    fraConversions_->refresh();
    return fraConversions_;
}

void MainWindow::applyView() {
    const ViewState& view = form_->View();
    mnuBanks_->setChecked(view.mnuBanks);
    mnuConverter_->setChecked(view.mnuConverter);
    mnuTape_->setChecked(view.mnuTape);
    mnuTop_->setChecked(view.mnuTop);
    fraMemBanks_->setVisible(view.BanksVisible());
    if (view.ConverterVisible() || fraConversions_ != nullptr) {
        converterPanel()->setVisible(view.ConverterVisible());
    }
    // The outer width less the frame the design counted: the client area shrinks from the
    // right, so the tape and its keys fall outside it.
    const int clientWidth = (view.OuterWidthTwips() - 90 + kTwipsPerPixel / 2) / kTwipsPerPixel;
    centralWidget()->setFixedWidth(clientWidth);
    for (QWidget* widget : tapeArea_) {
        widget->setVisible(view.mnuTape);
    }
    if (view.mnuTop != onTop_) {
        onTop_ = view.mnuTop;
        const QRect place = geometry();
        const bool shown = isVisible();
        setWindowFlag(Qt::WindowStaysOnTopHint, onTop_); // hides the window
        setGeometry(place);                              // neither moves nor resizes it
        if (shown) {
            show();
        }
    }
}

void MainWindow::refresh() {
    lblResult_->setTexts(QString::fromStdString(form_->lblResult()),
                         QString::fromStdString(form_->lblOperator()),
                         QString::fromStdString(form_->lblGrandTotal()));
    lblResult_->setOptionTexts(QString::fromStdString(form_->lblAddMode()),
                               QString::fromStdString(form_->lblItems()));
    fraMemBanks_->refresh(form_->Banks());
    if (fraConversions_ != nullptr) {
        fraConversions_->refresh();
    }
    applyView();
    if (form_->ChangeTape().Visible || fraChangeTape_ != nullptr) {
        changePanel()->setVisible(form_->ChangeTape().Visible);
    }
    if (form_->ChangeOpenings() != changeOpenings_) {
        // A double click or F2 opened the panel for a line: filled anew and focused.
        changeOpenings_ = form_->ChangeOpenings();
        changePanel()->open();
    }
    if (cboDecPlace_->currentIndex() != form_->DecimalPlaces()) {
        cboDecPlace_->setCurrentIndex(form_->DecimalPlaces());
    }
    mnuUndo_->setEnabled(form_->CanUndo());
    mnuAddMode_->setChecked(form_->CurrentOptions().addMode);
    mnuItemCount_->setChecked(form_->CurrentOptions().itemCount);
    keepJournal();
}

void MainWindow::keepJournal() {
    form_->KeepJournal();
    // Lines appended to the journal reach the disk within a moment, not at every key.
    if (form_->JournalUnsynced() && !journalSync_->isActive()) {
        journalSync_->start();
    }
}

void MainWindow::openTapeFile(const QString& path) {
    form_->OpenTapeFile(path.toStdString());
    refresh();
}

void MainWindow::execute(const KeyCommand& key) {
    form_->Execute(key);
    refresh();
}

void MainWindow::setBusy(bool busy) {
    if (busy) {
        setEnabled(false);
        QApplication::setOverrideCursor(Qt::WaitCursor);
        QCoreApplication::processEvents(); // repaint before the work starts
    } else {
        QApplication::restoreOverrideCursor();
        setEnabled(true);
    }
}

void MainWindow::focusKeySink() {
    picSetFocus_->setFocus(Qt::OtherFocusReason);
}

} // namespace sumwise::qt
