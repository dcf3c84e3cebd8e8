#pragma once

#include <QBuffer>
#include <QFont>
#include <QLocale>
#include <QPageSize>
#include <QPainter>
#include <QString>
#include <memory>

#include "platform/PageSurface.h"

class QPagedPaintDevice;

namespace sumwise::qt {

// A page surface drawn with QPainter on a printer or a PDF in memory, in inches from the top
// left of the printable area.
class PrinterSurface : public PageSurface {
public:
    // Takes the device, and the buffer it writes the document into if it has one; painting
    // starts at once. Throws PrintFailure when it cannot.
    explicit PrinterSurface(std::unique_ptr<QPagedPaintDevice> device,
                            std::unique_ptr<QBuffer> buffer = nullptr);
    ~PrinterSurface() override;

    void SetFontName(const std::string& name) override;
    void SetFontSize(double points) override;
    void SetTextColor(Rgb colour) override;
    double CurrentX() override { return x_; }
    double CurrentY() override { return y_; }
    void SetCurrentX(double inches) override { x_ = inches; }
    void SetCurrentY(double inches) override { y_ = inches; }
    double PrintableWidth() override;
    double PrintableHeight() override;
    double TextWidth(const std::string& text) override;
    double TextHeight(const std::string& text) override;
    void Print(const std::string& text, bool lineBreak) override;
    void Line(double x1, double y1, double x2, double y2, Rgb colour) override;
    void NewPage() override;
    void EndDoc() override;
    std::string DocumentBytes() override;

private:
    void Ready() const;
    double Dpi() const;

    std::unique_ptr<QBuffer> buffer_; // outlives the device, which writes into it to the end
    bool ended_ = false;
    std::unique_ptr<QPagedPaintDevice> device_;
    QPainter painter_;
    QFont font_;
    QColor colour_ = Qt::black;
    double x_ = 0;
    double y_ = 0;
};

// The paper of a territory: US Letter in the United States and Canada, A4 elsewhere.
QPageSize::PageSizeId LocalePaperSize(QLocale::Territory territory);
// A PDF in memory on the given paper with half-inch margins, its bytes the surface's
// DocumentBytes once it has ended; nullptr when it cannot be made.
std::unique_ptr<PageSurface> OpenPdfSurface(QPageSize::PageSizeId paper);

} // namespace sumwise::qt
