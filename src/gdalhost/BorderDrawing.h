#pragma once
// The program's own sheet border: a frame for two tables with a title block,
// drawn into a new design file made from a seed.
#include <string>

namespace mardex::dgn {

// Frame size in master units; the frame's lower-left corner is the border's
// lowest point, the point placed on each sheet's master point.
inline constexpr double BorderWidth = 3400;
inline constexpr double BorderHeight = 2400;

bool DrawBorderFile(const std::string& path, const std::string& seed, std::string& error);

} // namespace mardex::dgn
