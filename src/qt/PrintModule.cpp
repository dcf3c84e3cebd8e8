#include "qt/PrintModule.h"

#include <QCoreApplication>
#include <QLibrary>

namespace sumwise::qt {

QString PrintModule::defaultPath() {
    return QCoreApplication::applicationDirPath() + "/libsumwise-print.so";
}

std::unique_ptr<PageSurface> PrintModule::openDefaultPrinter() {
    if (open_ == nullptr) {
        QLibrary module(path_.isEmpty() ? defaultPath() : path_);
        if (module.load()) {
            open_ = reinterpret_cast<Opener>(module.resolve("sumwise_open_default_printer"));
        }
        if (open_ == nullptr) {
            failure_ = module.errorString(); // names the file, for a load and a lookup alike
            return nullptr;
        }
        failure_.clear();
    }
    return std::unique_ptr<PageSurface>(open_());
}

} // namespace sumwise::qt
