#pragma once

#include <QFileDevice>
#include <QFont>
#include <QLocale>
#include <QPageSize>
#include <QPainter>
#include <QString>
#include <memory>

#include "platform/PageSurface.h"

class QPagedPaintDevice;

namespace sumwise::qt {

// A page surface drawn with QPainter on a printer or a PDF file, in inches from the top left
// of the printable area.
class PrinterSurface : public PageSurface {
public:
    // Takes the device, and the file it writes to if it has one of its own; painting starts at
    // once. Throws PrintFailure when it cannot.
    explicit PrinterSurface(std::unique_ptr<QPagedPaintDevice> device,
                            std::unique_ptr<QFileDevice> file = nullptr);
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

private:
    void Ready() const;
    double Dpi() const;

    void CloseFile();

    std::unique_ptr<QFileDevice> file_; // outlives the device, which writes into it to the end
    std::unique_ptr<QPagedPaintDevice> device_;
    QPainter painter_;
    QFont font_;
    QColor colour_ = Qt::black;
    double x_ = 0;
    double y_ = 0;
};

// The paper of a territory: US Letter in the United States and Canada, A4 elsewhere.
QPageSize::PageSizeId LocalePaperSize(QLocale::Territory territory);
// A PDF file of the given paper with half-inch margins; nullptr when it cannot be created.
// Finishing the document fails when the file could not be written in full.
std::unique_ptr<PageSurface> OpenPdfSurface(const QString& path, QPageSize::PageSizeId paper);

} // namespace sumwise::qt
