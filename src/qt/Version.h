#pragma once
#include "MardexVersion.h"

inline constexpr const char* MardexVersion = MARDEX_VERSION;
