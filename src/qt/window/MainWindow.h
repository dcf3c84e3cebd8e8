#pragma once

#include <functional>

#include <QMainWindow>
#include <QPointer>
#include <memory>

#include "form/CalcForm.h"
#include "platform/Platform.h"

class QTimer;

namespace sumwise::qt {

class ChangeTapePanel;
class ConverterPanel;
class AboutWindow;
class MarginDialog;
class KeypadPanel;
class MemoryPanel;
class TapePanel;
class TapeView;

// The calculator window: owns the widgets, forwards each event to the core handler of the
// same name, then shows the core's state. It holds no number of its own.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // services: dialogs and desktop services (a fake in tests). The window itself is the
    // core's window host.
    explicit MainWindow(Services& services, QWidget* parent = nullptr);
    ~MainWindow() override;

    CalcForm& form() { return *form_; }
    // Re-reads every small piece of state from the core.
    void refresh();
    // Opens a tape file as File > Open Tape does (one named on the command line).
    void openTapeFile(const QString& path);
    // Runs a key the way its button or typed character does.
    void execute(const KeyCommand& key);
    // The normal shut-down, run once whatever asks for it: the window's place and the
    // settings are saved. Closing the window runs it.
    void shutDown();
    // Saves the settings and the place now and goes on running (the desktop session may end).
    void saveNow();
    // Closes the window the normal way for a request from outside (a signal, the session's
    // end): an open dialog is cancelled first, so its handler finishes before the shut-down.
    void requestClose();
    // How long the window system may go on placing a newly shown window; moves within it are
    // not the user's.
    static constexpr int kSettleMilliseconds = 500;

signals:
    // Save Result hid the window; a host reads the register now.
    void resultSaved();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class Host;

    // Construction and wiring (MainWindow.cpp).
    void buildMemoryPanel(QWidget* client);
    // The panels few sessions use, built on their first showing.
    ChangeTapePanel* changePanel();
    ConverterPanel* converterPanel();
    // Shows the View menu's choices: marks, panel, tape width, stay-on-top.
    void applyView();
    void focusKeySink();
    void setBusy(bool busy);

    // The menu bar (MainWindowMenus.cpp).
    void buildMenus();
    QAction* addMenuItem(QMenu* menu, const char* name, const char* caption,
                         const std::function<void()>& handler, const QKeySequence& key = {},
                         bool checkable = false);
    void buildFileMenu();
    void buildEditMenu();
    void dropClashingMnemonics(QWidget* client);
    void showAbout();
    void showMarginDialog();

    // The keyboard (MainWindowKeys.cpp). Typed keys from the window, the key sink and the
    // tape all come to typeKey; true if consumed.
    bool typeKey(QKeyEvent* event);
    bool runBoundKey(const KeyCommand& key);
    // Follows the focus: where it was before the menus, and the display's mark while the
    // key sink holds it.
    void watchFocus();
    // The menu bar keeps the focus only while a title of it is highlighted.
    void leaveIdleMenuBar();
    // Gives the focus back to the control that had it before the menus, or the key sink.
    void focusAfterMenus();

    // The window's place (MainWindowPlace.cpp).
    // What the start-up sequence loaded, then the window at its saved place.
    void showLoadedState();
    void placeWindow();
    // Lets the window system place the window before moves count as the user's.
    void startSettling();
    // Left and Top for the window where it stands now.
    void storePlace();

    // The window's size (MainWindowSize.cpp). With the tape shown the window grows from its
    // designed size, the tape with it; without, it keeps its designed narrow size.
    void fitClientArea(int designedWidth, bool tapeShown);
    // The client area at this size, the window around it.
    void resizeClient(QSize client);
    // The size kept from the last run, at most what the screen at the saved place holds
    // (MainWindowPlace.cpp).
    void restoreSize();
    // What the window adds around the client area: the menu bar.
    QSize aroundClient();
    // The tape and its keys follow the client area's growth.
    void layoutTapeArea();
    // The size the user left the window at, for the next run.
    void storeSize();

    Services& services_;
    std::unique_ptr<Host> host_;
    std::unique_ptr<CalcForm> form_;
    KeypadPanel* keypad_ = nullptr;
    TapePanel* tape_ = nullptr;
    TapeView* lstTape_ = nullptr; // the tape panel's list, where typed keys are watched too
    QWidget* picSetFocus_ = nullptr;
    QPointer<QWidget> lastFocus_; // the last of the window's controls that had the focus
    MemoryPanel* fraMemBanks_ = nullptr;
    ConverterPanel* fraConversions_ = nullptr;
    ChangeTapePanel* fraChangeTape_ = nullptr;
    QList<QWidget*> tapeArea_; // the tape and its three keys, hidden with the tape
    QAction* mnuBanks_ = nullptr;
    QAction* mnuConverter_ = nullptr;
    QAction* mnuTape_ = nullptr;
    bool grows_ = false;        // the window can be resized: the tape is shown
    QSize leastClient_;         // the client area's designed size, pixels
    QSize grownClient_;         // its size, not maximized, while the tape was last shown
    QSize restoredClient_;      // the size it opened at, from the last run
    bool resizeOnShow_ = false; // a kept size waits for the window to exist
    QList<QRect> tapePlaces_;   // where the tape and its keys stand in the designed size
    QAction* mnuTop_ = nullptr;
    QAction* mnuUndo_ = nullptr;
    QAction* mnuRedo_ = nullptr;
    QAction* mnuAddMode_ = nullptr;
    QAction* mnuItemCount_ = nullptr;
    QTimer* journalSync_ = nullptr;
    bool onTop_ = false;
    QPoint placed_;              // where the window was asked to open, pixels
    QPointF placedTwips_;        // the same in twips, as Left and Top will keep it
    bool replaced_ = false;      // the saved place was off every screen
    QPoint settled_;             // where the window system put the window
    QPoint userShift_;           // the user's moves before the window was last hidden
    QTimer* settling_ = nullptr; // running while the window system places the window
    bool unloaded_ = false;
    int closeTries_ = 0; // dialogs cancelled for a request to close
    QPointer<AboutWindow> about_;
    QPointer<MarginDialog> margin_;
};

} // namespace sumwise::qt
