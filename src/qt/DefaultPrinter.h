#pragma once

#include "platform/PageSurface.h"

// The one entry of the print module (libsumwise-print.so), which alone links the print
// library: it is loaded at the first print, so the program does not load that library at
// every start.
extern "C" {
// The system's default printer as a page surface, owned by the caller; nullptr when there is
// no printer or it cannot be opened.
sumwise::PageSurface* sumwise_open_default_printer();
}
