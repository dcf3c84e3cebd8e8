#include "tape/TapeCsv.h"

#include <algorithm>
#include <string_view>

#include "tape/TapeFileGrammar.h"
#include "tape/TapeLine.h"

namespace sumwise {

namespace {

struct CsvFields {
    std::string_view kind = "other";
    std::string_view op;
    std::string amount;
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

// A subtracted amount counts against the total: "4.00" is "-4.00" and "-4.00" is "4.00"; a
// zero stays without a sign.
std::string Negated(std::string_view number) {
    if (number.front() == '-') {
        return std::string(number.substr(1));
    }
    if (number.find_first_not_of("0.") == std::string_view::npos) {
        return std::string(number);
    }
    return "-" + std::string(number);
}

// The views point into the line. Only a line the calculator writes is taken apart: a
// spreadsheet summing the Amount column must never get half of a damaged line.
CsvFields FieldsOf(std::string_view line, CsvSeparators separators) {
    CsvFields fields;
    if (!IsWrittenTapeLine(line)) {
        return fields;
    }
    const TapeLineParts parts = ReadTapeLine(line);
    fields.kind = KindName(parts.kind);
    if (parts.kind != TapeLineKind::Separator) {
        fields.op = parts.op == '-' ? "-" : parts.symbol;
        fields.amount = parts.kind == TapeLineKind::Entry && parts.op == '-'
                            ? Negated(parts.number)
                            : std::string(parts.number);
        if (separators == CsvSeparators::Semicolon) {
            std::replace(fields.amount.begin(), fields.amount.end(), '.', ',');
        }
    }
    return fields;
}

// A spreadsheet reads a cell beginning with one of these as a formula, which a note typed or
// pasted by anyone could abuse; an apostrophe in front makes it plain text.
bool ReadAsFormula(std::string_view text) {
    return !text.empty() &&
           std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos;
}

void AppendField(std::string& out, std::string_view field, char separator, bool text = false) {
    const std::string_view guard = text && ReadAsFormula(field) ? "'" : "";
    const char special[] = {separator, '"', '\r', '\n'};
    if (field.find_first_of(std::string_view(special, sizeof special)) == std::string_view::npos) {
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

std::string TapeCsv(const Tape& tape, CsvSeparators separators) {
    const bool semicolon = separators == CsvSeparators::Semicolon;
    const char separator = semicolon ? ';' : ',';
    std::string out = semicolon ? "Line;Kind;Operator;Amount;Text;Note\r\n"
                                : "Line,Kind,Operator,Amount,Text,Note\r\n";
    out.reserve(out.size() + tape.Count() * 48);
    for (std::size_t row = 0; row < tape.Count(); ++row) {
        const std::string& line = tape.Line(row);
        const CsvFields fields = FieldsOf(line, separators);
        out.append(std::to_string(row + 1));
        for (const std::string_view field :
             {fields.kind, fields.op, std::string_view(fields.amount)}) {
            out.push_back(separator);
            AppendField(out, field, separator);
        }
        // Text and note are text cells; the amount stays a plain number.
        for (const std::string_view field :
             {std::string_view(line), std::string_view(tape.Note(row))}) {
            out.push_back(separator);
            AppendField(out, field, separator, true);
        }
        out.append("\r\n");
    }
    return out;
}

} // namespace sumwise
