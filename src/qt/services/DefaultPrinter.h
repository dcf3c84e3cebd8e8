#pragma once

#include <memory>
#include <string>

#include "platform/PageSurface.h"

namespace sumwise::qt {

// The system's default printer as a page surface; nullptr when there is none, or when the one
// set up cannot be opened, which `failure` then names ("<printer>: <reason>"). `failure` is
// empty otherwise.
std::unique_ptr<PageSurface> OpenDefaultPrinter(std::string& failure);

} // namespace sumwise::qt
