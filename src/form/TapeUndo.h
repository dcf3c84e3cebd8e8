#pragma once

#include <cstddef>
#include <deque>
#include <string>

#include "engine/Calculator.h"
#include "engine/EntryRegister.h"
#include "tape/Tape.h"

namespace sumwise {

// The steps that change the tape as a whole (clearing it, a saved change, opening a file, a
// note), each kept as the tape, totals and display were before it. Keys of the keypad are
// not kept: an adding machine corrects through its tape.
class TapeUndo {
public:
    static constexpr std::size_t kMaxSteps = 20;

    struct Step {
        std::deque<std::string> lines;
        std::deque<std::string> notes;
        TapeTotals dropped;
        Calculator::Snapshot totals;
        EntryRegister display;
    };

    TapeUndo(Tape& tape, Calculator& calc, EntryRegister& reg)
        : tape_(tape), calc_(calc), reg_(reg) {}

    // What the tape, totals and display are now.
    Step Take() const;
    // Keeps a step taken before an action that then changed the tape; the oldest of more
    // than kMaxSteps goes.
    void Keep(Step before);
    // Puts the newest kept step back; false when there is none.
    bool Undo();
    bool CanUndo() const { return !steps_.empty(); }
    std::size_t Depth() const { return steps_.size(); }

private:
    Tape& tape_;
    Calculator& calc_;
    EntryRegister& reg_;
    std::deque<Step> steps_;
};

} // namespace sumwise
