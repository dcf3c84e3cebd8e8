#pragma once

// A Qt service that knows the window: the include the layering check must refuse.
#include "qt/window/MainWindow.h"
