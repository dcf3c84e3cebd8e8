#pragma once

#include <string>

#include "tape/Tape.h"

namespace sumwise {

// How the spreadsheet reads the file: "," between fields and a decimal point, or, for a
// language that writes a decimal comma, ";" between fields and a decimal comma.
enum class CsvSeparators { Comma, Semicolon };

// The tape as CSV (RFC 4180, CR LF line ends) for a spreadsheet: the header
// "Line,Kind,Operator,Amount,Text,Note", then one record per tape line. Kind is entry,
// total, subtotal, grandtotal or separator; Operator the line's symbol with the en dash as
// "-"; Amount the line's number as written, negative for a subtracted entry, so the amounts
// of an adding tape sum to its total; Text the line as shown. A line the calculator could not
// have written is of Kind "other" with only its Text and Note.
std::string TapeCsv(const Tape& tape, CsvSeparators separators = CsvSeparators::Comma);

} // namespace sumwise
