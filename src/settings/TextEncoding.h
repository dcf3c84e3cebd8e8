#pragma once

#include <string>
#include <string_view>

namespace sumwise {

// File bytes as UTF-8 text. Valid UTF-8 sequences are kept as they are; every other byte is
// taken as Windows-1252, so files written by older copies of the program (8-bit text) still
// read right, and a file mixing both reads right too.
std::string Utf8FromFileBytes(std::string_view bytes);

} // namespace sumwise
