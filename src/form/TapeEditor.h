#pragma once

#include <string>

#include "engine/Calculator.h"
#include "engine/EntryRegister.h"
#include "platform/ErrorLog.h"
#include "platform/WindowHost.h"
#include "tape/Tape.h"

namespace sumwise {

// The change panel: corrects an entry line of the tape, then re-adds the whole tape.
class TapeEditor {
public:
    TapeEditor(EntryRegister& reg, Calculator& calc, Tape& tape, WindowHost& window,
               ErrorLog& errors);

    static constexpr const char* kOperatorChoices[] = {"+", "-", "/", "x", "1/x"};

    bool Visible = false;      // fraChangeTape
    std::string lblChangeFrom; // the old line
    std::string cboType = "+"; // the operator choice
    std::string txtChangeTo;   // the new number text

    // Opens the panel for the selected line, when it is an entry line.
    void lstTape_DblClick();
    // Replaces the selected line and recalculates; a failing pass changes nothing.
    void cmdSaveChange_Click();
    void cmdCancelChange_Click();
    // Puts text in place of a line and re-adds the tape, all or nothing: a line that cannot be
    // added leaves the tape and totals as they were, and is logged. False then.
    // exact: the number the keys took for the new text, when it is theirs (an undo).
    bool ReplaceLine(std::size_t row, std::string text, double exact = kNoExactValue);

private:
    EntryRegister& reg_;
    Calculator& calc_;
    Tape& tape_;
    WindowHost& window_;
    ErrorLog& errors_;
};

} // namespace sumwise
