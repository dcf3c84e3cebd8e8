#pragma once

#include <QWidget>

#include "platform/DesktopServices.h"

namespace sumwise::qt {

// The About window: title and version, and two buttons that open the project's pages.
class AboutWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* kMailingListAddress = "https://sumwise.example.org/mailing-list";
    static constexpr const char* kProjectAddress = "https://sumwise.example.org/";

    explicit AboutWindow(DesktopServices& desktop, QWidget* parent = nullptr);

    // Shows it centred on the screen, or brings the open one forward.
    void showCentred();

private:
    DesktopServices& desktop_;
};

} // namespace sumwise::qt
