#include "qt/services/DefaultPrinter.h"

#include <QPrinter>
#include <QPrinterInfo>

#include "qt/services/PrinterSurface.h"

namespace sumwise::qt {

std::unique_ptr<PageSurface> OpenDefaultPrinter(std::string& failure) {
    failure.clear();
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        return nullptr;
    }
    try {
        return std::make_unique<PrinterSurface>(
            std::make_unique<QPrinter>(info, QPrinter::HighResolution));
    } catch (const PrintFailure& error) {
        // A printer is set up: the user is told it cannot be reached, not that there is none.
        failure = info.printerName().toStdString() + ": " + error.what();
        return nullptr;
    }
}

} // namespace sumwise::qt
