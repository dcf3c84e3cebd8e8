#include "qt/DefaultPrinter.h"

#include <QPrinter>
#include <QPrinterInfo>
#include <memory>

#include "qt/PrinterSurface.h"

extern "C" Q_DECL_EXPORT sumwise::PageSurface* sumwise_open_default_printer() {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        return nullptr;
    }
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    try {
        return new sumwise::qt::PrinterSurface(std::move(printer));
    } catch (const sumwise::PrintFailure&) {
        return nullptr;
    }
}
