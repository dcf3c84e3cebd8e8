#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sumwise {

// What a search of the history looks at in one kept tape: the amounts on its lines, as values
// without their sign, sorted, and its notes folded to lower case, one per line.
struct KeptTapeIndex {
    std::vector<double> amounts;
    std::string notes;
};

KeptTapeIndex IndexKeptTape(std::string_view bytes);

// A search as typed, split at blanks. A term that reads as a number (the user's decimal mark
// or the point) finds tapes holding that amount on a line, whatever the decimals written
// ("12.5" finds "12.50"); every term finds tapes whose notes hold it, in any case. A tape
// matches when every term finds it.
struct HistoryQuery {
    struct Term {
        std::string folded;
        std::optional<double> amount;
    };
    std::vector<Term> terms;

    bool Empty() const { return terms.empty(); }
};

HistoryQuery ReadHistoryQuery(std::string_view text, bool decimalComma);
bool Matches(const KeptTapeIndex& tape, const HistoryQuery& query);
// Which of `tapes` kept tapes a search shows, given the first of them read so far: all for an
// empty search, else the read ones that match (one not read yet is shown once it matches).
std::vector<bool> ShownTapes(const std::vector<KeptTapeIndex>& read, std::size_t tapes,
                             const HistoryQuery& query);

// Lower case for ASCII and the Latin-1 letters ("Ä" to "ä"), so that typed words find notes
// in either case; other characters are kept as they are.
std::string FoldCase(std::string_view text);

} // namespace sumwise
