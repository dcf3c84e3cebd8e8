// Random key sequences on the whole core through the window's facade: every key of the
// command table, memory banks, tape editing, converter, clipboard, typed characters,
// printing, settings and restarts. After every step the state the window would show is
// checked.
#include <cstddef>
#include <cstdint>

#include "KeyDecoder.h"
#include "KeySession.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    sumwise::fuzz::Input in(data, size);
    const std::vector<sumwise::fuzz::Action> program = sumwise::fuzz::Decode(in);
    sumwise::fuzz::Session session;
    session.Run(program);
    return 0;
}
