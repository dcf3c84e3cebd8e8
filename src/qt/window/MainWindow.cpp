// The window's construction: its widgets, their wiring to the core's handlers, and the
// refresh that shows the core's state after every event.
#include "qt/window/MainWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

#include "platform/AppIdentity.h"
#include "qt/panels/ChangeTapePanel.h"
#include "qt/panels/ControlPlaces.h"
#include "qt/panels/ConverterPanel.h"
#include "qt/panels/DisplayLabel.h"
#include "qt/panels/KeypadPanel.h"
#include "qt/panels/MemoryPanel.h"
#include "qt/panels/OutlinedCheckStyle.h"
#include "qt/panels/TapePanel.h"
#include "qt/panels/TapeView.h"
#include "qt/window/MainWindowPlatform.h"

namespace sumwise::qt {

namespace {

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
    connect(journalSync_, &QTimer::timeout, this, [this] { form_->Document().SyncJournal(); });
    form_->SetListener(host_.get());
    setObjectName("frmCalc");
    setWindowTitle(kAppTitle);
    // A compact sans face, as the keypad was designed for an 8-point system font.
    QFont face("Liberation Sans");
    face.setPointSize(8);
    setFont(face);
    // Maximized, the tape takes the room; the window manager offers it only while the window
    // can grow.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);

    auto* client = new QWidget(this);
    client->setObjectName("client");
    client->setFixedSize(Pixels(kClientArea).size());
    client->installEventFilter(this);
    setCentralWidget(client);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    // The key sink: shown and focusable so it can hold the focus, but covered and 1 pixel.
    picSetFocus_ = new QWidget(client);
    picSetFocus_->setObjectName("picSetFocus");
    picSetFocus_->setAccessibleName("Calculator keys");
    picSetFocus_->setGeometry(0, 0, 1, 1);
    picSetFocus_->setFocusPolicy(Qt::StrongFocus);
    picSetFocus_->installEventFilter(this);

    keypad_ =
        new KeypadPanel(form_->Keys(), client, [this](const KeyCommand& key) { execute(key); });
    connect(keypad_, &KeypadPanel::decimalPlacesChosen, this, [this] {
        refresh();
        KeysBackAfterChoice(*this, picSetFocus_);
    });
    buildMenus();
    // The View menu's items are check boxes, to be seen on dark menus too.
    OutlinedCheckStyle::apply(*findChild<QMenu*>("mnuView"), *this);
    watchFocus();
    form_->Form_Load();
    keypad_->setFonts(font());
    tape_ = new TapePanel(*form_, client);
    lstTape_ = tape_->view();
    lstTape_->installEventFilter(this);
    connect(tape_, &TapePanel::changed, this, &MainWindow::refresh);
    buildMemoryPanel(client);
    dropClashingMnemonics(client);
    ChainTabOrder({picSetFocus_, keypad_->decimalPlaces(), lstTape_});
    picSetFocus_->lower();
    tapeArea_ = {lstTape_, client->findChild<QWidget*>("cmdGrandTotal"),
                 client->findChild<QWidget*>("cmdClear")};
    if (auto* print = client->findChild<QWidget*>("cmdPrint")) {
        tapeArea_.append(print);
    }
    for (const QWidget* widget : tapeArea_) {
        tapePlaces_.append(widget->geometry());
    }

    showLoadedState();
}

MainWindow::~MainWindow() {
    // The widgets and the tape model refer to the core, a member: they must go before it
    // does, not after, as Qt's deletion of the children would have it.
    delete centralWidget(); // deleted in place: taking it out first would restyle it all
}

// Built when first opened: most sessions never change a line.
ChangeTapePanel* MainWindow::changePanel() {
    if (fraChangeTape_ != nullptr) {
        return fraChangeTape_;
    }
    fraChangeTape_ = new ChangeTapePanel(form_->Document(), centralWidget());
    fraChangeTape_->setGeometry(Pixels(kChangeTapeRect));
    connect(fraChangeTape_, &ChangeTapePanel::changed, this, &MainWindow::refresh);
    return fraChangeTape_;
}

void MainWindow::buildMemoryPanel(QWidget* client) {
    fraMemBanks_ = new MemoryPanel(form_->Banks(), client);
    fraMemBanks_->setGeometry(Pixels(kPanelRect));
    connect(fraMemBanks_, &MemoryPanel::changed, this, &MainWindow::refresh);
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
    const ViewState& view = form_->Settings().View();
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
    fitClientArea(clientWidth, view.mnuTape);
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
    keypad_->refresh(*form_);
    fraMemBanks_->refresh();
    if (fraConversions_ != nullptr) {
        fraConversions_->refresh();
    }
    applyView();
    if (form_->Document().ChangeTape().Visible || fraChangeTape_ != nullptr) {
        changePanel()->setVisible(form_->Document().ChangeTape().Visible);
    }
    mnuUndo_->setEnabled(form_->Document().CanUndo());
    mnuUndo_->setText(QString::fromStdString(form_->Document().UndoCaption()));
    mnuRedo_->setEnabled(form_->Document().CanRedo());
    setWindowTitle(QString::fromStdString(form_->Document().WindowTitle()));
    mnuAddMode_->setChecked(form_->Settings().CurrentOptions().addMode);
    mnuItemCount_->setChecked(form_->Settings().CurrentOptions().itemCount);
}

void MainWindow::openTapeFile(const QString& path) {
    form_->Document().OpenTapeFile(path.toStdString());
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
