#pragma once

#include <memory>
#include <string>

#include "platform/PageSurface.h"

namespace sumwise {

enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgButtons { Ok, YesNo };
enum class MsgAnswer { Ok, Yes, No };

// Local date and time, as the error log and the printed tape write it.
struct DateTime {
    int year = 2000;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// Everything the calculator core asks of the desktop. The Qt front end implements it with
// real dialogs and widgets; tests implement it with a recording fake.
class Platform {
public:
    virtual ~Platform() = default;

    // A modal message box; returns the button the user chose.
    virtual MsgAnswer MsgBox(const std::string& text, const std::string& title, MsgIcon icon,
                             MsgButtons buttons) = 0;

    // A modal input box with a proposed answer; returns the answer, empty on Cancel.
    virtual std::string InputBox(const std::string& prompt, const std::string& title,
                                 const std::string& proposal) = 0;

    // Keyboard focus to the key sink, so typed characters keep reaching the keyboard map.
    virtual void FocusKeySink() = 0;

    // Hide the main window without closing it (Save Result hands the value to the host).
    virtual void HideMainWindow() = 0;

    // Close the main window, which runs the normal shut-down.
    virtual void CloseMainWindow() = 0;

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

    // A print job on the default printer; nullptr when none can be opened.
    virtual std::unique_ptr<PageSurface> OpenPrinter() = 0;

    // While busy the main window takes no input and the pointer is the hourglass; turning it
    // on repaints the window first.
    virtual void SetBusy(bool busy) = 0;

    // An environment variable; empty when it is not set.
    virtual std::string Environ(const std::string& name) = 0;

    // The folder the program keeps its files in, without a trailing separator.
    virtual std::string ProgramFolder() = 0;

    // Appends text to a file, creating it when missing; false when it cannot be written.
    virtual bool AppendToFile(const std::string& path, const std::string& text) = 0;

    // True when the user's locale writes decimals with a comma ("12,50"): typed and pasted
    // commas are then decimal points. Numbers the program writes never follow the locale.
    virtual bool LocaleDecimalComma() { return false; }
};

} // namespace sumwise
