#include "qt/PrinterSurface.h"

#include <QFile>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPdfWriter>

namespace sumwise::qt {

PrinterSurface::PrinterSurface(std::unique_ptr<QPagedPaintDevice> device,
                               std::unique_ptr<QFileDevice> file)
    : file_(std::move(file)), device_(std::move(device)) {
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
    CloseFile();
}

void PrinterSurface::CloseFile() {
    if (!file_) {
        return;
    }
    // Writes into the file are buffered; a full disk shows only once they are flushed.
    const bool flushed = file_->flush();
    const QString reason = file_->errorString();
    const bool failed = !flushed || file_->error() != QFileDevice::NoError;
    file_->close();
    if (failed || file_->error() != QFileDevice::NoError) {
        throw PrintFailure((failed ? reason : file_->errorString()).toStdString());
    }
}

QPageSize::PageSizeId LocalePaperSize(QLocale::Territory territory) {
    return territory == QLocale::UnitedStates || territory == QLocale::Canada ? QPageSize::Letter
                                                                              : QPageSize::A4;
}

std::unique_ptr<PageSurface> OpenPdfSurface(const QString& path, QPageSize::PageSizeId paper) {
    // The file is opened here rather than by the writer, so its write errors can be seen.
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return nullptr;
    }
    auto pdf = std::make_unique<QPdfWriter>(file.get());
    pdf->setResolution(1200);
    pdf->setPageLayout(QPageLayout(QPageSize(paper), QPageLayout::Portrait,
                                   QMarginsF(0.5, 0.5, 0.5, 0.5), QPageLayout::Inch));
    pdf->setTitle("Sumwise Tape");
    try {
        return std::make_unique<PrinterSurface>(std::move(pdf), std::move(file));
    } catch (const PrintFailure&) {
        return nullptr;
    }
}

} // namespace sumwise::qt
