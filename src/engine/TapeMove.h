#pragma once

namespace sumwise {

// How the keyboard moves the selected tape line.
enum class TapeMove { Up, Down, PageUp, PageDown, First, Last };

// The line selected after the move, from `selected` (-1 for none) on a tape of `count` lines of
// which `page` fit the view: always a line of the tape, the nearest end when the move runs past
// it; Up from no line selects the last. -1 on an empty tape.
int MovedLine(TapeMove move, int selected, int count, int page);

} // namespace sumwise
