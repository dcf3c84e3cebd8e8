#include "qt/MainWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QShortcut>
#include <QStyle>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "qt/AboutWindow.h"
#include "qt/ChangeTapePanel.h"
#include "qt/ConverterPanel.h"
#include "qt/DisplayLabel.h"
#include "qt/KeypadLayout.h"
#include "qt/MemoryPanel.h"
#include "qt/TapeListModel.h"
#include "qt/TapeView.h"
#include "qt/WindowPlace.h"

namespace sumwise::qt {

namespace {

QRect Pixels(const TwipsRect& r) {
    auto px = [](int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; };
    return {px(r.left), px(r.top), px(r.width), px(r.height)};
}

// Twips to pixels, bounded so that a far-off saved place stays a valid coordinate.
int ToPixels(double twips) {
    constexpr double kLimit = 1 << 24;
    return static_cast<int>(std::lround(std::clamp(twips / kTwipsPerPixel, -kLimit, kLimit)));
}

constexpr TwipsRect kClientArea{0, 0, 8730, 3480};
constexpr TwipsRect kDisplayRect{2520, 180, 3855, 330};
constexpr TwipsRect kDecimalLabelRect{2520, 3130, 1995, 255};
constexpr TwipsRect kDecimalListRect{4635, 3070, 1740, 330};
constexpr TwipsRect kTapeRect{6600, 180, 2055, 2800};
constexpr TwipsRect kPanelRect{120, 100, 2320, 3300};
// The change panel opens over the keypad, where the user sees it.
constexpr TwipsRect kChangeTapeRect{1800, 900, 4650, 1920}; // inside the narrow window too

const char* const kDecimalPlaceItems[] = {"Floating Decimal", "1 Fixed Decimal", "2 Fixed Decimal",
                                          "3 Fixed Decimal",  "4 Fixed Decimal", "5 Fixed Decimal",
                                          "6 Fixed Decimal"};

} // namespace

// The core's window operations act on this window; dialogs, clock and files go to the
// services the window was given.
class MainWindow::WindowPlatform : public Platform {
public:
    WindowPlatform(MainWindow& window, Platform& services) : window_(window), services_(services) {}

    MsgAnswer MsgBox(const std::string& text, const std::string& title, MsgIcon icon,
                     MsgButtons buttons) override {
        return services_.MsgBox(text, title, icon, buttons);
    }
    std::string InputBox(const std::string& prompt, const std::string& title,
                         const std::string& proposal) override {
        return services_.InputBox(prompt, title, proposal);
    }
    void FocusKeySink() override { window_.focusKeySink(); }
    void HideMainWindow() override {
        window_.hide();
        // After the handler has finished, so a host never re-enters the core mid-key.
        QMetaObject::invokeMethod(
            &window_, [w = &window_] { emit w->resultSaved(); }, Qt::QueuedConnection);
    }
    void CloseMainWindow() override {
        QMetaObject::invokeMethod(
            &window_, [w = &window_] { w->close(); }, Qt::QueuedConnection);
    }
    void ClipboardClear() override { services_.ClipboardClear(); }
    void ClipboardSetText(const std::string& text) override { services_.ClipboardSetText(text); }
    std::string ClipboardText() override { return services_.ClipboardText(); }
    void ShellOpen(const std::string& target) override { services_.ShellOpen(target); }
    void OpenHelp() override { services_.OpenHelp(); }
    DateTime Now() override { return services_.Now(); }
    std::string LongDate(const DateTime& when) override { return services_.LongDate(when); }
    std::unique_ptr<PageSurface> OpenPrinter() override { return services_.OpenPrinter(); }
    void SetBusy(bool busy) override { window_.setBusy(busy); }
    std::string Environ(const std::string& name) override { return services_.Environ(name); }
    std::string ProgramFolder() override { return services_.ProgramFolder(); }
    bool LocaleDecimalComma() override { return services_.LocaleDecimalComma(); }

private:
    MainWindow& window_;
    Platform& services_;
};

MainWindow::MainWindow(Platform& services, QWidget* parent)
    : QMainWindow(parent), platform_(std::make_unique<WindowPlatform>(*this, services)),
      form_(std::make_unique<CalcForm>(*platform_)) {
    settling_ = new QTimer(this);
    settling_->setSingleShot(true);
    settling_->setInterval(kSettleMilliseconds);
    setObjectName("frmCalc");
    setWindowTitle("Sumwise");
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

    buildKeypad(client);
    buildTape(client);
    buildMemoryPanel(client);
    buildMenus();
    dropClashingMnemonics(client);
    picSetFocus_->lower();
    tapeArea_ = {lstTape_, client->findChild<QWidget*>("cmdGrandTotal"),
                 client->findChild<QWidget*>("cmdClear")};
    if (auto* print = client->findChild<QWidget*>("cmdPrint")) {
        tapeArea_.append(print);
    }

    startUp();
}

MainWindow::~MainWindow() {
    // The widgets and the tape model refer to the core, a member: they must go before it
    // does, not after, as Qt's deletion of the children would have it.
    delete centralWidget(); // deleted in place: taking it out first would restyle it all
    delete tapeModel_;
}

void MainWindow::buildKeypad(QWidget* client) {
    lblResult_ = new DisplayLabel(client);
    lblResult_->setObjectName("lblResult");
    lblResult_->setAccessibleName("Display");
    lblResult_->setGeometry(Pixels(kDisplayRect));
    lblResult_->setFrameShape(QFrame::Panel);
    lblResult_->setFrameShadow(QFrame::Sunken);
    lblResult_->setAutoFillBackground(true);
    lblResult_->setBackgroundRole(QPalette::Base);
    QFont displayFont = lblResult_->font();
    displayFont.setPixelSize(16);
    displayFont.setBold(true);
    lblResult_->setFont(displayFont);

    // The pending operator and the grand total, small at the display's left.
    QFont small = font();
    small.setPixelSize(9);
    lblOperator_ = new QLabel(lblResult_);
    lblOperator_->setObjectName("lblOperator");
    lblOperator_->setAccessibleName("Pending operator");
    lblOperator_->setFont(small);
    lblOperator_->setGeometry(3, 1, 120, 10);
    lblGrandTotal_ = new QLabel(lblResult_);
    lblGrandTotal_->setObjectName("lblGrandTotal");
    lblGrandTotal_->setAccessibleName("Grand total");
    lblGrandTotal_->setFont(small);
    lblGrandTotal_->setGeometry(3, 11, 120, 10);

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
    tapeModel_->setFont(lstTape_->font());
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

    fraChangeTape_ = new ChangeTapePanel(form_->ChangeTape(), client);
    fraChangeTape_->setGeometry(Pixels(kChangeTapeRect));
    connect(lstTape_, &TapeView::doubleClicked, this, [this](const QModelIndex& index) {
        form_->lstTape().Select(index.row());
        changeSelectedLine();
        changeOpened_.start();
    });
    connect(fraChangeTape_, &ChangeTapePanel::saveRequested, this, [this] {
        form_->cmdSaveChange_Click();
        refresh();
    });
    connect(fraChangeTape_, &ChangeTapePanel::cancelRequested, this, [this] {
        form_->cmdCancelChange_Click();
        refresh();
    });
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
    fraConversions_ = new ConverterPanel(form_->Conversions(), client);
    fraConversions_->setGeometry(Pixels(kPanelRect));
    connect(fraConversions_, &ConverterPanel::changed, this, [this] { refresh(); });
}

void MainWindow::startUp() {
    form_->Form_Load();
    refresh();
    placeWindow();
}

void MainWindow::placeWindow() {
    const ViewState& view = form_->View();
    const QPoint wanted(ToPixels(view.Left), ToPixels(view.Top));
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens()) {
        screens.append(screen->availableGeometry());
    }
    const int titleHeight = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
    // The frame is not known before the window manager has the window: allow a title bar and
    // a border.
    constexpr int kBorder = 4;
    const QSize outer = sizeHint() + QSize(2 * kBorder, titleHeight + 2 * kBorder);
    placed_ = PlaceOnScreen(wanted, outer, titleHeight, screens);
    replaced_ = placed_ != wanted;
    placedTwips_ = replaced_ ? QPointF(placed_) * kTwipsPerPixel : QPointF(view.Left, view.Top);
    move(placed_);
    settled_ = geometry().topLeft();
    userShift_ = QPoint();
    if (isVisible()) {
        startSettling();
    }
}

void MainWindow::startSettling() {
    settled_ = geometry().topLeft();
    settling_->start();
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    startSettling();
}

void MainWindow::hideEvent(QHideEvent* event) {
    // The user moves only a shown window; shown again, it may be placed anew.
    userShift_ += geometry().topLeft() - settled_;
    settled_ = geometry().topLeft();
    QMainWindow::hideEvent(event);
}

void MainWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    // A window manager reparents a new window and may report it shifted by its frame, on
    // some by a title bar's height: that is where the window opened, not a move.
    if (settling_->isActive()) {
        settled_ = geometry().topLeft();
        settling_->start();
    }
}

void MainWindow::storePlace() {
    // Only the user's moves change the place, added to the place the window was asked to
    // open at: start and close without a move keep Left and Top exactly, and a moved window
    // opens where it was left, whatever frame offset the window manager reports. The
    // frame's own position is no measure: it changes when the frame becomes known, without
    // a move. Pixels are coarser than twips, so an unmoved place is kept as it was.
    const QPoint shift = userShift_ + (geometry().topLeft() - settled_);
    if (shift.isNull() && !replaced_) {
        return;
    }
    form_->View().Left = placedTwips_.x() + shift.x() * kTwipsPerPixel;
    form_->View().Top = placedTwips_.y() + shift.y() * kTwipsPerPixel;
}

void MainWindow::dropClashingMnemonics(QWidget* client) {
    // Alt and a letter that a menu title or the converter's button also claims would be
    // ambiguous, and Qt runs neither. The menu and the panel keep it; the keypad key keeps
    // its typed letter ("E" for CE, "C" for C).
    QSet<QKeySequence> claimed;
    for (QAction* menu : menuBar()->actions()) {
        claimed.insert(QKeySequence::mnemonic(menu->text()));
    }
    for (auto* button : fraConversions_->findChildren<QAbstractButton*>()) {
        claimed.insert(button->shortcut());
    }
    for (auto* button : client->findChildren<QPushButton*>(Qt::FindDirectChildrenOnly)) {
        if (!button->shortcut().isEmpty() && claimed.contains(button->shortcut())) {
            button->setShortcut(QKeySequence());
        }
    }
}

void MainWindow::buildMenus() {
    auto addMenu = [this](const char* name, const char* caption) {
        QMenu* menu = menuBar()->addMenu(caption);
        menu->setObjectName(name);
        menu->menuAction()->setObjectName(name);
        return menu;
    };
    auto addItem = [this](QMenu* menu, const char* name, const char* caption, auto handler,
                          bool checkable = false) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(name);
        action->setCheckable(checkable);
        connect(action, &QAction::triggered, this, [this, handler] {
            handler();
            refresh();
        });
        return action;
    };
    QMenu* file = addMenu("mnuFile", "&File");
    addItem(file, "mnuRestore", "&Restore Backup", [this] {
        form_->mnuRestore_Click();
        placeWindow();
    });
    file->addSeparator()->setObjectName("sep1");
    addItem(file, "mnuExit", "&Exit", [this] { form_->mnuExit_Click(); });

    QMenu* edit = addMenu("mnuEdit", "&Edit");
    addItem(edit, "mnuCopy", "&Copy", [this] { form_->mnuCopy_Click(); });
    addItem(edit, "mnuPaste", "&Paste", [this] { form_->mnuPaste_Click(); });

    QMenu* view = addMenu("mnuView", "&View");
    mnuBanks_ = addItem(
        view, "mnuBanks", "&Memory Banks", [this] { form_->mnuBanks_Click(); }, true);
    mnuConverter_ = addItem(
        view, "mnuConverter", "&Converter", [this] { form_->mnuConverter_Click(); }, true);
    view->addSeparator()->setObjectName("sep2");
    mnuTape_ = addItem(
        view, "mnuTape", "Calulation &Tape", [this] { form_->mnuTape_Click(); }, true);
    view->addSeparator()->setObjectName("seppy");
    mnuTop_ = addItem(
        view, "mnuTop", "&Stay On Top", [this] { form_->mnuTop_Click(); }, true);

    QMenu* help = addMenu("mnuHlp", "&Help");
    addItem(help, "mnuHelp", "Help &Topics", [this] { form_->mnuHelp_Click(); });
    // F1, the desktop's help key, opens the same help; the menu item itself has no shortcut.
    auto* helpKey = new QShortcut(QKeySequence::HelpContents, this);
    connect(helpKey, &QShortcut::activated, this, [this] { form_->mnuHelp_Click(); });
    help->addSeparator()->setObjectName("sep");
    addItem(help, "mnuAbout", "&About", [this] { showAbout(); });
}

void MainWindow::showAbout() {
    if (about_.isNull()) {
        about_ = new AboutWindow(*platform_);
    }
    about_->showCentred();
}

void MainWindow::applyView() {
    const ViewState& view = form_->View();
    mnuBanks_->setChecked(view.mnuBanks);
    mnuConverter_->setChecked(view.mnuConverter);
    mnuTape_->setChecked(view.mnuTape);
    mnuTop_->setChecked(view.mnuTop);
    fraMemBanks_->setVisible(view.BanksVisible());
    fraConversions_->setVisible(view.ConverterVisible());
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
    lblResult_->setText(QString::fromStdString(form_->lblResult()));
    lblOperator_->setText(QString::fromStdString(form_->lblOperator()));
    lblGrandTotal_->setText(QString::fromStdString(form_->lblGrandTotal()));
    const int reserved =
        std::max(lblOperator_->fontMetrics().horizontalAdvance(lblOperator_->text()),
                 lblGrandTotal_->fontMetrics().horizontalAdvance(lblGrandTotal_->text()));
    lblResult_->setReservedLeft(reserved + 4);
    fraMemBanks_->refresh(form_->Banks());
    fraConversions_->refresh();
    applyView();
    fraChangeTape_->setVisible(form_->ChangeTape().Visible);
    if (cboDecPlace_->currentIndex() != form_->DecimalPlaces()) {
        cboDecPlace_->setCurrentIndex(form_->DecimalPlaces());
    }
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

void MainWindow::changeSelectedLine() {
    form_->lstTape_DblClick();
    if (form_->ChangeTape().Visible) {
        fraChangeTape_->open();
    }
    refresh();
}

bool MainWindow::keyboardOnlyKey(QKeyEvent* event) {
    // What the mouse does elsewhere, for the keyboard: the arrows pick a tape line and F2
    // changes it; Ctrl+1 to Ctrl+5 select a memory bank and F4 renames its account.
    const Qt::KeyboardModifiers modifiers =
        event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
    const ViewState& view = form_->View();
    if (modifiers == Qt::ControlModifier && event->key() >= Qt::Key_1 &&
        event->key() <= Qt::Key_5) {
        if (!view.BanksVisible()) {
            return false;
        }
        form_->SelectBank(event->key() - Qt::Key_1);
        refresh();
        return true;
    }
    if (modifiers != Qt::NoModifier) {
        return false;
    }
    if (event->key() == Qt::Key_F4 && view.BanksVisible()) {
        form_->lblAccounts_Click(form_->Banks().SelectedBank);
        refresh();
        return true;
    }
    Tape& tape = form_->lstTape();
    if (!view.mnuTape || tape.Count() == 0) {
        return false;
    }
    const int last = static_cast<int>(tape.Count()) - 1;
    const int page = std::max(1, lstTape_->viewport()->height() / lstTape_->lineHeight() - 1);
    const int row = tape.Selected();
    int wanted = row;
    switch (event->key()) {
    case Qt::Key_Up:
        wanted = row < 0 ? last : row - 1;
        break;
    case Qt::Key_Down:
        wanted = row + 1;
        break;
    case Qt::Key_PageUp:
        wanted = row - page;
        break;
    case Qt::Key_PageDown:
        wanted = row + page;
        break;
    case Qt::Key_Home:
        wanted = 0;
        break;
    case Qt::Key_End:
        wanted = last;
        break;
    case Qt::Key_F2:
        if (row >= 0) {
            changeSelectedLine();
        }
        return true;
    default:
        return false;
    }
    tape.Select(std::clamp(wanted, 0, last));
    return true;
}

bool MainWindow::typeKey(QKeyEvent* event) {
    if (keyboardOnlyKey(event)) {
        return true;
    }
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        return false;
    }
    int code = 0;
    switch (event->key()) {
    case Qt::Key_Backspace:
        code = 8;
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        code = 13;
        break;
    case Qt::Key_Escape:
        code = 27;
        break;
    default:
        if (event->text().size() == 1) {
            code = event->text().at(0).unicode();
        }
    }
    // The keypad's decimal key gives "," under some layouts; it is still the point.
    const bool decimalKey = event->key() == Qt::Key_Comma || event->key() == Qt::Key_Period ||
                            code == ',' || code == '.';
    if ((event->modifiers() & Qt::KeypadModifier) && decimalKey) {
        code = '.';
    }
    if (code == 0) {
        return false;
    }
    form_->CheckKeyPress(code);
    refresh();
    return true;
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    // Keys that a control such as the new-number field passed on are not calculator keys.
    const QWidget* focus = focusWidget();
    const bool forUs =
        focus == nullptr || focus == this || focus == picSetFocus_ || focus == lstTape_;
    if (!forUs || !typeKey(event)) {
        QMainWindow::keyPressEvent(event);
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == picSetFocus_ || watched == lstTape_) && event->type() == QEvent::KeyPress) {
        return typeKey(static_cast<QKeyEvent*>(event));
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    shutDown();
    event->accept();
}

void MainWindow::shutDown() {
    // A signal, the session's end and the close that follows may all ask; the settings
    // are saved once, from the state the run ended with.
    if (unloaded_) {
        return;
    }
    unloaded_ = true;
    storePlace();
    form_->Form_Unload();
    if (!about_.isNull()) {
        about_->close();
    }
}

void MainWindow::saveNow() {
    if (unloaded_) {
        return;
    }
    storePlace();
    form_->SaveSettings();
}

void MainWindow::requestClose() {
    // A dialog runs its own event loop inside a key's handler: cancel it and come back once
    // that handler has finished, so the shut-down never runs in the middle of a key.
    if (QWidget* modal = QApplication::activeModalWidget(); modal != nullptr && modal != this) {
        if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dialog->reject();
        } else {
            modal->close();
        }
        if (++closeTries_ < 20) {
            QTimer::singleShot(0, this, [this] { requestClose(); });
            return;
        }
    }
    close();
    QCoreApplication::quit();
}

} // namespace sumwise::qt
