#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sumwise::fuzz {

// A strict RFC 4180 reader, written apart from the exporter so that it judges its output:
// every record ends in CR LF, a quoted field doubles its quotes, nothing follows a closing
// quote but a comma or the record's end. nullopt on anything else.
using CsvRecord = std::vector<std::string>;

inline std::optional<std::vector<CsvRecord>> ReadCsvRecords(std::string_view text) {
    std::vector<CsvRecord> records;
    CsvRecord record;
    std::string field;
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '"') {
            for (++i;; ++i) {
                if (i >= text.size()) {
                    return std::nullopt; // an open quote at the end
                }
                if (text[i] == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"') {
                        field.push_back('"');
                        ++i;
                        continue;
                    }
                    ++i;
                    break;
                }
                field.push_back(text[i]);
            }
        } else {
            while (i < text.size() && text[i] != ',' && text[i] != '\r' && text[i] != '\n' &&
                   text[i] != '"') {
                field.push_back(text[i++]);
            }
        }
        record.push_back(std::move(field));
        field.clear();
        if (text.substr(i).starts_with(",")) {
            ++i;
        } else if (text.substr(i).starts_with("\r\n")) {
            i += 2;
            records.push_back(std::move(record));
            record.clear();
        } else {
            return std::nullopt; // a bare CR or LF, a quote inside a field, a missing end
        }
    }
    if (!record.empty()) {
        return std::nullopt; // the last record has no line end
    }
    return records;
}

// The text a spreadsheet shows for a text cell: a cell it would run as a formula carries an
// apostrophe in front, which is not part of the text. nullopt for a cell that would run.
inline std::optional<std::string> CsvCellText(const std::string& cell) {
    constexpr std::string_view kFormulaStart = "=+-@\t\r";
    if (!cell.empty() && kFormulaStart.find(cell.front()) != std::string_view::npos) {
        return std::nullopt;
    }
    if (cell.size() > 1 && cell.front() == '\'' &&
        kFormulaStart.find(cell[1]) != std::string_view::npos) {
        return cell.substr(1);
    }
    return cell;
}

} // namespace sumwise::fuzz
