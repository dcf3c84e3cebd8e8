#pragma once

#include <stdexcept>
#include <string>

namespace sumwise {

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const Rgb&) const = default;
};

// A printer operation that did not work; the print routine skips that step.
struct PrintFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The pages of one print job, measured in inches from the top left corner of the printable
// area. The current position is the top left of the next text printed. Any operation may
// throw PrintFailure.
class PageSurface {
public:
    virtual ~PageSurface() = default;

    virtual void SetFontName(const std::string& name) = 0;
    virtual void SetFontSize(double points) = 0;
    virtual void SetTextColor(Rgb colour) = 0;
    virtual double CurrentX() = 0;
    virtual double CurrentY() = 0;
    virtual void SetCurrentX(double inches) = 0;
    virtual void SetCurrentY(double inches) = 0;
    virtual double PrintableWidth() = 0;
    virtual double PrintableHeight() = 0;
    virtual double TextWidth(const std::string& text) = 0;
    virtual double TextHeight(const std::string& text) = 0;
    // Prints at the current position; a line break moves down one line and back to the left
    // edge, otherwise the position moves to the end of the text.
    virtual void Print(const std::string& text, bool lineBreak) = 0;
    virtual void Line(double x1, double y1, double x2, double y2, Rgb colour) = 0;
    // The next page, with the position at its very top.
    virtual void NewPage() = 0;
    // Ends the document and sends it to the printer.
    virtual void EndDoc() = 0;
    // The finished document's bytes after EndDoc, for a document drawn in memory; empty for a
    // printer, which has taken the pages itself.
    virtual std::string DocumentBytes() { return {}; }
};

} // namespace sumwise
