#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "tape/TapeRecalculation.h"

namespace sumwise {

// Told of every change to the tape, so a view can follow it row by row without re-reading
// up to 32,766 lines.
class TapeListener {
public:
    virtual ~TapeListener() = default;
    virtual void LineAppended() = 0;
    virtual void FirstLineRemoved() = 0;
    virtual void LineRewritten(std::size_t row) = 0;
    virtual void Cleared() = 0;
    // Every line was put in place at once (Tape::Replace).
    virtual void Replaced() = 0;
    virtual void SelectionChanged(int row) = 0; // -1: no line selected
};

// The calculation tape: an ordered list of text lines, newest last.
class Tape {
public:
    static constexpr std::size_t kMaxLines = 32766;

    // Listeners are told in the order they were added; each stays until removed.
    void AddListener(TapeListener* listener) { listeners_.push_back(listener); }
    void RemoveListener(TapeListener* listener);

    // Appends, selects the new line, then drops the oldest line past kMaxLines. exact: the
    // number the keys took for an entry line, which its text shows rounded.
    void AddTapeLine(std::string text, double exact = kNoExactValue);

    // Appends without selecting or trimming.
    void AppendPlain(std::string text, double exact = kNoExactValue);

    // A rewritten line is read from its text from then on, unless exact says otherwise.
    void Rewrite(std::size_t row, std::string text, double exact = kNoExactValue);
    void Clear();
    // Puts lines in place of the whole tape (an opened file, an undo), with their notes and the
    // totals of lines before them; nothing selected. Notes may be fewer than lines.
    void Replace(std::deque<std::string> lines, std::deque<std::string> notes,
                 TapeTotals dropped = {}, std::uint64_t droppedLines = 0,
                 std::deque<double> exact = {});

    // A note kept beside a line, never in its text, so every reader of the line grammar is
    // unaffected; it goes with its line. Empty when the line has none.
    const std::string& Note(std::size_t row) const;
    void SetNote(std::size_t row, std::string note);
    bool HasNotes() const { return notedLines_ > 0; }
    const std::deque<std::string>& Lines() const { return lines_; }
    const std::deque<std::string>& Notes() const { return notes_; }
    // Beside each line, the number the keys took (kNoExactValue where the text is the number),
    // so re-adding keeps the decimals the display rounded away. Kept in memory only.
    const std::deque<double>& Exact() const { return exact_; }
    void Select(int row);

    std::size_t Count() const { return lines_.size(); }
    bool Empty() const { return lines_.empty(); }
    const std::string& Line(std::size_t row) const { return lines_[row]; }
    // The last line and the one before it; empty when the tape is too short.
    std::string_view LastLine() const;
    std::string_view LineBeforeLast() const;
    int Selected() const { return selected_; }
    // The running value and grand total of the lines dropped at the cap, where re-adding
    // the tape starts so that its totals stay those of the whole calculation.
    const TapeTotals& DroppedTotals() const { return dropped_; }
    // How many lines the cap has dropped from the front, so a line keeps its number (row plus
    // this) however many go before it.
    std::uint64_t DroppedLines() const { return droppedLines_; }
    // Counters a copy kept elsewhere (the journal) follows the tape by: lines appended ever,
    // and changes other than an append or the drop at the cap.
    std::uint64_t AppendCount() const { return appendCount_; }
    std::uint64_t EditCount() const { return editCount_; }

private:
    std::deque<std::string> lines_;
    std::deque<std::string> notes_; // one per line, mostly empty
    std::deque<double> exact_;      // one per line
    std::size_t notedLines_ = 0;
    TapeTotals dropped_;
    std::uint64_t droppedLines_ = 0;
    int selected_ = -1;
    std::uint64_t appendCount_ = 0;
    std::uint64_t editCount_ = 0;
    std::vector<TapeListener*> listeners_;
    template <typename Event> void Tell(Event event) {
        for (TapeListener* listener : listeners_) {
            event(*listener);
        }
    }
};

} // namespace sumwise
