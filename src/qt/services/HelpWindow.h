#pragma once

#include <QRect>
#include <QString>
#include <QUrl>
#include <QWidget>

class QTextBrowser;

namespace sumwise::qt {

// Where a help window of the given size goes on the free area of a screen: to the right of the
// window it belongs to, else to its left, else (no room, or no such window) in the middle.
// Shrunk to fit the screen first.
QRect HelpWindowPlace(const QRect& screen, const QRect& beside, QSize size);

// The program's own help viewer, for a desktop that cannot show the HTML help: the page in a
// text browser, links within the help followed in place, web and mail addresses handed to the
// desktop. Not modal, so the help can stay open beside the calculator; Escape closes it.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows the page and brings the window forward; a page already shown keeps its place.
    // The first time, the window is put beside the given window when the screen has room.
    void showPage(const QString& path, const QWidget* beside = nullptr);

    QTextBrowser* browser() const { return browser_; }

signals:
    // A link that leads out of the help, for the desktop to open.
    void externalLinkClicked(const QUrl& url);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void follow(const QUrl& link);
    bool insideHelp(const QUrl& url) const;
    void placeBeside(const QWidget* other);

    QTextBrowser* browser_;
    QString folder_; // the help's own folder, canonical; links stay inside it
    bool placed_ = false;
};

} // namespace sumwise::qt
