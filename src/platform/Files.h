#pragma once

#include <string>

namespace sumwise {

// Appends text to a file, creating it when missing; false when it cannot be opened or written,
// or when something other than a regular file (a FIFO, a device) has the name.
bool AppendTextToFile(const std::string& path, const std::string& text);

} // namespace sumwise
