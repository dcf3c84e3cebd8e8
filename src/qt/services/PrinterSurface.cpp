#include "qt/services/PrinterSurface.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPdfWriter>

namespace sumwise::qt {

PrinterSurface::PrinterSurface(std::unique_ptr<QPagedPaintDevice> device,
                               std::unique_ptr<QBuffer> buffer)
    : buffer_(std::move(buffer)), device_(std::move(device)) {
    if (!device_ || !painter_.begin(device_.get())) {
        throw PrintFailure("the printer could not be opened");
    }
    font_.setPointSizeF(10);
}

PrinterSurface::~PrinterSurface() {
    if (painter_.isActive()) {
        painter_.end();
    }
}

void PrinterSurface::Ready() const {
    if (!painter_.isActive()) {
        throw PrintFailure("the document has ended");
    }
}

double PrinterSurface::Dpi() const {
    return device_->logicalDpiY();
}

void PrinterSurface::SetFontName(const std::string& name) {
    font_.setFamily(QString::fromStdString(name));
}

void PrinterSurface::SetFontSize(double points) {
    font_.setPointSizeF(points);
}

void PrinterSurface::SetTextColor(Rgb colour) {
    colour_ = QColor(colour.red, colour.green, colour.blue);
}

double PrinterSurface::PrintableWidth() {
    Ready();
    return device_->width() / static_cast<double>(device_->logicalDpiX());
}

double PrinterSurface::PrintableHeight() {
    Ready();
    return device_->height() / Dpi();
}

double PrinterSurface::TextWidth(const std::string& text) {
    Ready();
    return QFontMetricsF(font_, device_.get()).horizontalAdvance(QString::fromStdString(text)) /
           device_->logicalDpiX();
}

double PrinterSurface::TextHeight(const std::string&) {
    Ready();
    return QFontMetricsF(font_, device_.get()).height() / Dpi();
}

void PrinterSurface::Print(const std::string& text, bool lineBreak) {
    Ready();
    const QString line = QString::fromStdString(text);
    const QFontMetricsF metrics(font_, device_.get());
    if (!line.isEmpty()) {
        painter_.setFont(font_);
        painter_.setPen(colour_);
        // The position is the top of the text; QPainter writes on the baseline.
        painter_.drawText(QPointF(x_ * device_->logicalDpiX(), y_ * Dpi() + metrics.ascent()),
                          line);
    }
    if (lineBreak) {
        y_ += metrics.height() / Dpi();
        x_ = 0;
    } else {
        x_ += metrics.horizontalAdvance(line) / device_->logicalDpiX();
    }
}

void PrinterSurface::Line(double x1, double y1, double x2, double y2, Rgb colour) {
    Ready();
    const double dx = device_->logicalDpiX();
    painter_.setPen(QPen(QColor(colour.red, colour.green, colour.blue), 0));
    painter_.drawLine(QPointF(x1 * dx, y1 * Dpi()), QPointF(x2 * dx, y2 * Dpi()));
}

void PrinterSurface::NewPage() {
    Ready();
    if (!device_->newPage()) {
        throw PrintFailure("no new page");
    }
    x_ = 0;
    y_ = 0;
}

void PrinterSurface::EndDoc() {
    Ready();
    if (!painter_.end()) {
        throw PrintFailure("the document could not be finished");
    }
    ended_ = true;
}

std::string PrinterSurface::DocumentBytes() {
    // Before its end a document is no PDF a reader could open.
    if (!buffer_ || !ended_) {
        return {};
    }
    return buffer_->data().toStdString();
}

QPageSize::PageSizeId LocalePaperSize(QLocale::Territory territory) {
    return territory == QLocale::UnitedStates || territory == QLocale::Canada ? QPageSize::Letter
                                                                              : QPageSize::A4;
}

std::unique_ptr<PageSurface> OpenPdfSurface(QPageSize::PageSizeId paper) {
    // Drawn in memory: the caller writes the finished bytes in one piece, so a file on disk is
    // never left half written.
    auto buffer = std::make_unique<QBuffer>();
    if (!buffer->open(QIODevice::WriteOnly)) {
        return nullptr;
    }
    auto pdf = std::make_unique<QPdfWriter>(buffer.get());
    pdf->setResolution(1200);
    pdf->setPageLayout(QPageLayout(QPageSize(paper), QPageLayout::Portrait,
                                   QMarginsF(0.5, 0.5, 0.5, 0.5), QPageLayout::Inch));
    pdf->setTitle("Sumwise Tape");
    try {
        return std::make_unique<PrinterSurface>(std::move(pdf), std::move(buffer));
    } catch (const PrintFailure&) {
        return nullptr;
    }
}

} // namespace sumwise::qt
