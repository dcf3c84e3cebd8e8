#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/DesktopServices.h"

namespace sumwise {

// A kept tape's file is named by the local date and time it was kept, to the second:
// "2026-12-08_14-30-05.tape". A second tape kept within the same second gets "_2", a third
// "_3" ... The name is all the history needs to order its tapes.
struct KeptTapeName {
    DateTime when;
    int copy = 1;

    // Newer first: later time, then the higher copy of one second.
    bool NewerThan(const KeptTapeName& other) const;
};

std::string KeptTapeFileName(const KeptTapeName& name);
// nullopt for any name the history did not make, so other files in its folder are left alone.
std::optional<KeptTapeName> ReadKeptTapeFileName(std::string_view fileName);
// "2026-12-08 14:30:05", as the history window shows it.
std::string KeptTapeTimeText(const DateTime& when);

} // namespace sumwise
