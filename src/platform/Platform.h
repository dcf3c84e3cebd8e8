#pragma once

#include "platform/DesktopServices.h"
#include "platform/Dialogs.h"
#include "platform/WindowHost.h"

namespace sumwise {

// Dialogs and desktop services from one provider, as the program hands them to its window.
class Services : public Dialogs, public DesktopServices {};

// Everything the core asks of its surroundings in one object, as a test's fake provides it.
// Core classes take only the roles they use.
class Platform : public Services, public WindowHost {};

} // namespace sumwise
