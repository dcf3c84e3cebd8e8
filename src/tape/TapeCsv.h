#pragma once

#include <string>

#include "tape/Tape.h"

namespace sumwise {

// The tape as CSV (RFC 4180, CR LF line ends) for a spreadsheet: the header
// "Line,Kind,Operator,Amount,Text,Note", then one record per tape line. Kind is entry,
// total, subtotal, grandtotal or separator; Operator the line's symbol with the en dash as
// "-"; Amount the line's number as written; Text the line as shown. A line the calculator
// could not have written is of Kind "other" with only its Text and Note.
std::string TapeCsv(const Tape& tape);

} // namespace sumwise
