#pragma once

#include <string>

namespace sumwise {

// Appends text to a file, creating it when missing; false when it cannot be opened or written.
bool AppendTextToFile(const std::string& path, const std::string& text);

} // namespace sumwise
