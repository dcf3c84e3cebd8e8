// The program exactly as it starts for a user, ending itself after its first frame and
// printing its peak memory, so the start-up benchmark can time it from outside.
#include <QWidget>

#include "Program.h"
#include "QuitAfterFirstFrame.h"

int main(int argc, char* argv[]) {
    return sumwise::app::RunProgram(argc, argv, [](QWidget& window) {
        window.installEventFilter(new sumwise::bench::QuitAfterFirstFrame(&window));
    });
}
