#include "history/HistorySearch.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "number/NumberGrammar.h"
#include "number/NumberText.h"
#include "tape/TapeLine.h"

namespace sumwise {

namespace {

// Most amounts are plain digits, grouped or not, with a point: read straight into a double,
// correctly rounded as the number grammar reads them, so both give the same value. Anything
// else (a sign, an exponent) goes through the grammar.
std::optional<double> PlainAmount(std::string_view number) {
    char digits[40];
    std::size_t length = 0;
    bool point = false;
    for (const char c : number) {
        if (c == ',' && !point) {
            continue;
        }
        const bool isPoint = c == '.' && !point;
        if ((!isPoint && (c < '0' || c > '9')) || length == sizeof digits) {
            return StrictNumber(number);
        }
        point = point || isPoint;
        digits[length++] = c;
    }
    double value = 0;
    const auto [end, error] = std::from_chars(digits, digits + length, value);
    if (length == 0 || error != std::errc() || end != digits + length) {
        return StrictNumber(number);
    }
    return value;
}

void AddAmount(std::string_view text, std::vector<double>& amounts) {
    const TapeLineParts parts = ReadTapeLine(text);
    if (parts.number.empty() || parts.kind == TapeLineKind::Other ||
        parts.kind == TapeLineKind::Separator) {
        return;
    }
    if (const std::optional<double> value = PlainAmount(parts.number)) {
        amounts.push_back(std::fabs(*value));
    }
}

// "12,50" under a comma locale, "12.50" anywhere, "1,250.00" as the locale groups.
std::optional<double> TermAmount(std::string_view term, bool decimalComma) {
    // Amounts are found without their sign, as the tape writes it apart from the number.
    for (const std::string_view sign : {std::string_view("-"), std::string_view("+"), kEnDash}) {
        if (term.starts_with(sign)) {
            term.remove_prefix(sign.size());
            break;
        }
    }
    if (const auto parts = ScanNumber(term, PasteNumber(term, decimalComma))) {
        return DoubleValue(*parts, {});
    }
    return std::nullopt;
}

} // namespace

std::string FoldCase(std::string_view text) {
    std::string folded(text);
    for (std::size_t i = 0; i < folded.size(); ++i) {
        const auto c = static_cast<unsigned char>(folded[i]);
        if (c >= 'A' && c <= 'Z') {
            folded[i] = static_cast<char>(c + 32);
        } else if (c == 0xC3 && i + 1 < folded.size()) {
            // U+00C0 to U+00DE, less the multiplication sign U+00D7, are upper-case letters.
            const auto next = static_cast<unsigned char>(folded[i + 1]);
            if (next >= 0x80 && next <= 0x9E && next != 0x97) {
                folded[i + 1] = static_cast<char>(next + 0x20);
            }
            ++i;
        }
    }
    return folded;
}

KeptTapeIndex IndexKeptTape(std::string_view bytes) {
    KeptTapeIndex index;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos) {
            end = bytes.size();
        }
        std::string_view line = bytes.substr(start, end - start);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        const std::size_t tab = line.find('\t');
        AddAmount(line.substr(0, tab), index.amounts);
        if (tab != std::string_view::npos) {
            index.notes += FoldCase(line.substr(tab + 1));
            index.notes += '\n';
        }
        start = end + 1;
    }
    std::sort(index.amounts.begin(), index.amounts.end());
    index.amounts.erase(std::unique(index.amounts.begin(), index.amounts.end()),
                        index.amounts.end());
    return index;
}

HistoryQuery ReadHistoryQuery(std::string_view text, bool decimalComma) {
    HistoryQuery query;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find_first_of(" \t", start), text.size());
        if (end > start) {
            const std::string_view term = text.substr(start, end - start);
            std::optional<double> amount = TermAmount(term, decimalComma);
            query.terms.push_back(
                {FoldCase(term), amount ? std::optional(std::fabs(*amount)) : std::nullopt});
        }
        start = end + 1;
    }
    return query;
}

bool Matches(const KeptTapeIndex& tape, const HistoryQuery& query) {
    return std::all_of(query.terms.begin(), query.terms.end(), [&](const HistoryQuery::Term& t) {
        return (t.amount &&
                std::binary_search(tape.amounts.begin(), tape.amounts.end(), *t.amount)) ||
               tape.notes.find(t.folded) != std::string::npos;
    });
}

std::vector<bool> ShownTapes(const std::vector<KeptTapeIndex>& read, std::size_t tapes,
                             const HistoryQuery& query) {
    std::vector<bool> shown(tapes, query.Empty());
    for (std::size_t i = 0; !query.Empty() && i < read.size() && i < tapes; ++i) {
        shown[i] = Matches(read[i], query);
    }
    return shown;
}

} // namespace sumwise
