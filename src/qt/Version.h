#pragma once
inline constexpr const char* MardexVersion = "3.0";
