#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>
#include <functional>

class QWidget;

namespace sumwise::qt {

class HelpWindow;

// Opens the help: Sumwise.chm beside the program when there is one, else help/index.html, with
// the desktop's handler; when the desktop has none, or its opener fails, the HTML help is shown
// in the program's own help window instead. A help that is not there is reported, never
// silently skipped.
//
// The desktop's opener is xdg-open, run here rather than through QDesktopServices::openUrl: that
// call only says whether a launcher was found and started, so xdg-open with no handler for HTML
// (no browser installed) still counts as opened. Run here, its exit status tells. A sandboxed
// program (Flatpak, Snap) and a desktop without xdg-open use QDesktopServices::openUrl, and its
// false shows the help window.
//
// SUMWISE_HELP=builtin in the environment, or setBuiltin(true), skips the desktop and always
// uses the help window.
class HelpOpener : public QObject {
    Q_OBJECT
public:
    // An opener still running this long after its start has handed the help to a browser that
    // stays in the foreground; its exit status then says nothing about the help.
    static constexpr int kOpenerGraceMilliseconds = 10000;

    // report: shows a message to the user. openExternal: opens a web address from the help
    // window with the desktop.
    HelpOpener(std::function<void(const QString&)> report,
               std::function<void(const QUrl&)> openExternal);
    ~HelpOpener() override;

    // The calculator window: the help window opens beside it and closes when it goes away.
    void setParentWindow(QWidget* window);
    // The folder holding Sumwise.chm and help/; the program's own folder unless set.
    void setFolder(const QString& folder) { folder_ = folder; }
    // The program that opens a file with the desktop's handler ("xdg-open").
    void setOpener(const QString& program) { opener_ = program; }
    void setBuiltin(bool builtin) { builtin_ = builtin; }

    void open();

    // The help window once it has been shown; nullptr before.
    HelpWindow* window() const;
    // Whether an opener started here has not finished yet.
    bool openerRunning() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString folder() const;
    QString pagePath() const;
    bool builtinChosen() const;
    void openWithDesktop(const QString& path);
    void runOpener(const QString& program, const QString& path);
    void showBuiltin();
    // Says so when something other than a regular file has the name, which is then not opened.
    bool refusedAsSpecial(const QString& path);

    std::function<void(const QString&)> report_;
    std::function<void(const QUrl&)> openExternal_;
    QPointer<QWidget> parentWindow_;
    QPointer<HelpWindow> window_;
    QString folder_;
    QString opener_ = "xdg-open";
    bool builtin_ = false;
};

} // namespace sumwise::qt
