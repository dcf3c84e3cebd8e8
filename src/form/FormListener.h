#pragma once

namespace sumwise {

// What the core tells its window beyond the small state the window re-reads after each event.
class FormListener {
public:
    virtual ~FormListener() = default;
    // A double click or F2 opened the change panel for a line: the window fills it anew and
    // gives it the focus.
    virtual void ChangePanelOpened() = 0;
    // Lines were appended to the tape's journal; a sync a moment later puts them on the disk.
    virtual void JournalAppended() = 0;
    // A tape was opened in place of the one shown: the window shows its newest line.
    virtual void TapeOpened() = 0;
};

} // namespace sumwise
