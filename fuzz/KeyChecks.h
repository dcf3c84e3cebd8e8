#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzPlatform.h"
#include "form/CalcForm.h"

namespace sumwise::fuzz {

bool HasLineBreak(std::string_view s);
// One tape line by the line grammar.
void CheckTapeLine(const std::string& line);
// One tape line as the tape file reader lets it pass.
void CheckFileTapeLine(const std::string& line);

// Follows the tape's changes, so each step checks only the lines it touched, and counts the
// plain appends (those that select nothing), which alone may take the tape past its limit.
class TapeWatch : public TapeListener {
public:
    explicit TapeWatch(const Tape& tape) : tape_(tape) {}

    void LineAppended() override;
    void FirstLineRemoved() override;
    void LineRewritten(size_t row) override;
    void Cleared() override;
    void Replaced() override;
    void SelectionChanged(int row) override;
    void ForgetAppend() { appendPending_ = false; }

    // Lines from a file another program wrote may be on the tape: they are held to the
    // file's grammar, not to the shapes the calculator writes.
    bool foreignLines = false;
    size_t plainSinceFit = 0;
    std::vector<size_t> dirty;

private:
    const Tape& tape_;
    bool appendPending_ = false;
};

// The state the window would show after a step: display, engine, tape, banks, converter.
class StateChecks {
public:
    // detached: the display shows the bank total, not the register's number.
    void Check(const CalcForm& form, TapeWatch& watch, bool detached);

private:
    void CheckBanks(const MemoryBanks& banks);

    // Bank texts already found well-formed; only a changed text is checked again.
    std::array<std::string, MemoryBanks::kCount> checkedBanks_;
    std::string checkedBankText_;
};

// A print run on a working printer puts every tape line on paper once, in order, at a column
// edge, red exactly when it holds a minus sign.
void CheckPrinted(const PrintJob& job, const Tape& tape);

} // namespace sumwise::fuzz
