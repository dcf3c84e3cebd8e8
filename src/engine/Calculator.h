#pragma once

#include <string>
#include <string_view>

#include "engine/EntryRegister.h"
#include "platform/Dialogs.h"
#include "platform/WindowHost.h"
#include "tape/Tape.h"
#include "tape/TapeRecalculation.h"

namespace sumwise {

class ErrorLog;

// Operator key index of cmdOperator_Click.
enum OperatorKey { kDivide = 0, kPlus = 1, kTimes = 2, kMinus = 3, kEquals = 4 };

// The function keys, in the order of cmdFunction_Click's index.
enum class FunctionKey { SquareRoot = 0, Percent = 1, Reciprocal = 2 };

// The operator that waits for the next number; "=" once a calculation is closed.
enum class PendingOperator { Plus, Minus, Times, Divide, Equals };

// "+", the en dash, "x", "/" or "=": the operator as the tape and the operator label show it.
std::string_view OperatorText(PendingOperator op);

// The adding-machine logic: operators applied strictly left to right, the running total,
// the close of a calculation with "=", new totals, the C key and the grand total.
class Calculator {
public:
    Calculator(EntryRegister& reg, Tape& tape, Dialogs& dialogs, WindowHost& window,
               ErrorLog& errors);

    double RunningTotal() const { return state_.runningTotal; }
    double Operand() const { return state_.operand; }
    double LastEntry() const { return state_.lastEntry; }
    int StepCount() const { return state_.stepCount; }
    PendingOperator LastOperator() const { return state_.lastOperator; }
    bool TotalClosed() const { return state_.totalClosed; }
    double GrandTotal() const { return state_.grandTotal; }
    const std::string& GrandTotalLabel() const { return state_.grandTotalLabel; } // lblGrandTotal
    std::string_view OperatorLabel() const {
        return OperatorText(state_.operatorLabel);
    } // lblOperator

    void cmdOperator_Click(int index);
    void StartNewTotal(bool addToGrandTotal);
    void cmdCancel_Click();
    void cmdGrandTotal_Click();
    // sqrt (0), percent of the running total (1), reciprocal (2).
    void cmdFunction_Click(int index);

    // A digit key: after "=" it starts a new total first; it ends a run of C presses.
    void BeforeDigit();
    // The calculation starts again from the register: keyed counts as its first number.
    void StartCalculation(bool keyed);
    // The totals after a change re-added the tape: they move by what the change moved the
    // re-added totals (before: the tape re-added as it stood), so what the keys gave stays
    // where the change does not reach. The register shows a changed result, or the running
    // value unless a number is being keyed.
    void ApplyRecalculation(const Recalculation& before, const Recalculation& after);
    // A tape put in place whole (opened, reopened): the grand total and display follow the
    // recalculated tape, and the next number starts a new total.
    void StartAfterTape(const Recalculation& pass);

    // Everything the calculation holds; an undo puts it back as it was.
    struct Snapshot {
        double runningTotal = 0;
        double operand = 0;
        double lastEntry = 0;
        int stepCount = 0;
        PendingOperator lastOperator = PendingOperator::Plus;
        bool totalClosed = false;
        bool clearPressed = false;
        double grandTotal = 0;
        std::string grandTotalLabel;
        PendingOperator operatorLabel = PendingOperator::Plus;
        int itemCount = 0;
    };
    Snapshot Save() const;
    void Restore(const Snapshot& saved);

    // The entries the current calculation has consumed, each an entry line on the tape; a new
    // total starts again at 0. With counting on, each total line gets the count as its note.
    int ItemCount() const { return state_.itemCount; }
    void SetCountItems(bool on) { countItems_ = on; }
    bool CountItems() const { return countItems_; }
    // A note for the entry line the next operator key writes (a taxed amount says so); any
    // other use of the register drops it.
    void DropPendingNote() { pendingNote_.clear(); }
    // Adds tax at the rate in percent to the register's number (or takes it out), rounded as
    // the display rounds; the result waits for the next operator, as a percentage does.
    void ApplyTax(double rate, bool add);
    // A value given to the display as a result (a margin dialog's Use), with the note for its
    // entry line. After "=" it is a new number, as a digit is: a new total starts first.
    void UseResult(double value, std::string note);

private:
    void WriteCarriedTotal(int index, double value);
    // The operator key's two halves: the step it counts (the first number, or the pending
    // operator applied), then the tape lines it writes and the operator it leaves pending.
    void CountStep(int index, double previousTotal);
    void WriteStep(int index, double previousTotal);
    // Applies the pending operator to the running total and the operand; division by zero
    // and overflow keep the total and tell the user.
    void ApplyPendingOperator();
    // The total, operand, last entry and steps back to an empty calculation under "+".
    void ResetCalculation();

    EntryRegister& reg_;
    Tape& tape_;
    Dialogs& dialogs_;
    WindowHost& window_;
    ErrorLog& errors_;

    Snapshot state_; // the whole calculation, so an undo copies it at once
    bool countItems_ = false;
    std::string pendingNote_;
    double pendingNoteValue_ = 0; // the number the note was made for

    // The entry line of a consumed number: counted, and given the pending note.
    void WriteEntryLine(std::string line, double exact);
    // The value as a result that waits for the next operator, which writes it with the note.
    void LoadNotedResult(double value, std::string note);
    void NoteItemCount();
};

} // namespace sumwise
