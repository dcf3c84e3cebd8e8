#pragma once

#include "number/Backward.h"
