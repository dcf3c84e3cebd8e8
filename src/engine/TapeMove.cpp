#include "engine/TapeMove.h"

#include <algorithm>

namespace sumwise {

int MovedLine(TapeMove move, int selected, int count, int page) {
    if (count <= 0) {
        return -1;
    }
    const int last = count - 1;
    int wanted = selected;
    switch (move) {
    case TapeMove::Up:
        wanted = selected < 0 ? last : selected - 1;
        break;
    case TapeMove::Down:
        wanted = selected + 1;
        break;
    case TapeMove::PageUp:
        wanted = selected - std::max(1, page);
        break;
    case TapeMove::PageDown:
        wanted = selected + std::max(1, page);
        break;
    case TapeMove::First:
        wanted = 0;
        break;
    case TapeMove::Last:
        wanted = last;
        break;
    }
    return std::clamp(wanted, 0, last);
}

} // namespace sumwise
