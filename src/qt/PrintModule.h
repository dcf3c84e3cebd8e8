#pragma once

#include <QString>
#include <memory>

#include "platform/PageSurface.h"

namespace sumwise::qt {

// Reaches the system printer through the print module beside the program, loaded at the
// first print and kept loaded, since the surfaces it makes run its code.
class PrintModule {
public:
    // libsumwise-print.so in the program's folder.
    static QString defaultPath();
    void setPath(const QString& path) { path_ = path; }

    // The default printer's surface; nullptr when there is none, or when the module cannot be
    // loaded, which failure() then names.
    std::unique_ptr<PageSurface> openDefaultPrinter();
    // "<file>: <reason>" for a module that could not be loaded; empty otherwise.
    const QString& failure() const { return failure_; }

private:
    using Opener = PageSurface* (*)();

    QString path_;
    Opener open_ = nullptr;
    QString failure_;
};

} // namespace sumwise::qt
