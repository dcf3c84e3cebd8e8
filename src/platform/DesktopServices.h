#pragma once

#include <memory>
#include <string>

#include "platform/PageSurface.h"

namespace sumwise {

// Local date and time, as the error log and the printed tape write it.
struct DateTime {
    int year = 2000;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// What the desktop offers beyond the window: clipboard, desktop shell, clock, environment,
// printer and the user's locale.
class DesktopServices {
public:
    virtual ~DesktopServices() = default;

    // The clipboard, plain text only.
    virtual void ClipboardClear() = 0;
    virtual void ClipboardSetText(const std::string& text) = 0;
    virtual std::string ClipboardText() = 0;

    // Opens the help: the help file beside the program, else the HTML help shipped with it.
    virtual void OpenHelp() = 0;

    // Opens a file or web address with the desktop's handler; the result is not checked.
    virtual void ShellOpen(const std::string& target) = 0;

    virtual DateTime Now() = 0;

    // The date in the system's long date format ("Tuesday, December 8, 2026").
    virtual std::string LongDate(const DateTime& when) = 0;
    // The hour and minute in the system's short time format ("2:21 PM", "14:21").
    virtual std::string ShortTime(const DateTime& when) = 0;

    // A print job on the default printer; nullptr when none can be opened.
    virtual std::unique_ptr<PageSurface> OpenPrinter() = 0;
    // Why the last OpenPrinter found no printer although one is set up ("the printer cannot
    // be reached"); empty when simply none is installed.
    virtual std::string PrinterFailure() { return {}; }

    // A PDF drawn in memory on the locale's paper size (A4 outside the US and Canada); its
    // bytes are the surface's DocumentBytes once it has ended. nullptr when it cannot be made.
    virtual std::unique_ptr<PageSurface> OpenPdf() { return nullptr; }

    // The user's documents folder, made when missing, without a trailing separator: where the
    // tape goes as a PDF when there is no printer.
    virtual std::string DocumentsFolder() { return {}; }

    // An environment variable; empty when it is not set.
    virtual std::string Environ(const std::string& name) = 0;

    // The folder the program keeps its files in, without a trailing separator.
    virtual std::string ProgramFolder() = 0;

    // True when the user's locale writes decimals with a comma ("12,50"): typed and pasted
    // commas are then decimal points. Numbers the program writes never follow the locale.
    virtual bool LocaleDecimalComma() { return false; }
};

} // namespace sumwise
