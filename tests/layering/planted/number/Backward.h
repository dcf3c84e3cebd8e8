#pragma once

// A number that knows the tape: the include the layering check must refuse.
#include "tape/Tape.h"
