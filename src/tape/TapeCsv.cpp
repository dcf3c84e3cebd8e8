#include "tape/TapeCsv.h"

#include <string_view>

#include "tape/TapeFileGrammar.h"
#include "tape/TapeLine.h"

namespace sumwise {

namespace {

struct CsvFields {
    std::string_view kind = "other";
    std::string_view op;
    std::string_view amount;
};

std::string_view KindName(TapeLineKind kind) {
    switch (kind) {
    case TapeLineKind::Entry:
    case TapeLineKind::EditedReciprocal:
        return "entry";
    case TapeLineKind::Total:
        return "total";
    case TapeLineKind::SubTotal:
        return "subtotal";
    case TapeLineKind::GrandTotal:
        return "grandtotal";
    case TapeLineKind::Separator:
        return "separator";
    default:
        return "other";
    }
}

// The views point into the line. Only a line the calculator writes is taken apart: a
// spreadsheet summing the Amount column must never get half of a damaged line.
CsvFields FieldsOf(std::string_view line) {
    CsvFields fields;
    if (!IsWrittenTapeLine(line)) {
        return fields;
    }
    const TapeLineParts parts = ReadTapeLine(line);
    fields.kind = KindName(parts.kind);
    if (parts.kind != TapeLineKind::Separator) {
        fields.op = parts.op == '-' ? "-" : parts.symbol;
        fields.amount = parts.number;
    }
    return fields;
}

// A spreadsheet reads a cell beginning with one of these as a formula, which a note typed or
// pasted by anyone could abuse; an apostrophe in front makes it plain text.
bool ReadAsFormula(std::string_view text) {
    return !text.empty() &&
           std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos;
}

void AppendField(std::string& out, std::string_view field, bool text = false) {
    const std::string_view guard = text && ReadAsFormula(field) ? "'" : "";
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        out.append(guard);
        out.append(field);
        return;
    }
    out.push_back('"');
    out.append(guard);
    for (const char c : field) {
        if (c == '"') {
            out.push_back('"');
        }
        out.push_back(c);
    }
    out.push_back('"');
}

} // namespace

std::string TapeCsv(const Tape& tape) {
    std::string out = "Line,Kind,Operator,Amount,Text,Note\r\n";
    out.reserve(out.size() + tape.Count() * 48);
    for (std::size_t row = 0; row < tape.Count(); ++row) {
        const std::string& line = tape.Line(row);
        const CsvFields fields = FieldsOf(line);
        out.append(std::to_string(row + 1));
        for (const std::string_view field : {fields.kind, fields.op, fields.amount}) {
            out.push_back(',');
            AppendField(out, field);
        }
        // Text and note are text cells; the amount stays a plain number.
        for (const std::string_view field :
             {std::string_view(line), std::string_view(tape.Note(row))}) {
            out.push_back(',');
            AppendField(out, field, true);
        }
        out.append("\r\n");
    }
    return out;
}

} // namespace sumwise
