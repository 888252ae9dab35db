#pragma once
// The date and time as the running page header shows them.
#include <ctime>
#include <string>

namespace mardex {

struct PrintState;

// The general date format of the program: month/day/year, then the time
// on a 12-hour clock with seconds, e.g. "12/7/2026 9:08:05 AM". A fixed
// format keeps printed pages the same whatever the desktop's locale.
std::string FormatGeneralDateTime(const std::tm& t);

// The current local time (PrintState::LocalNow when set) in that format.
std::string CurrentGeneralDateTime(const PrintState& p);

} // namespace mardex
