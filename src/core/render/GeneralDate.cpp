#include "render/GeneralDate.h"

#include "render/PrintState.h"

#include <cstdio>

namespace mardex {

std::string FormatGeneralDateTime(const std::tm& t)
{
    const int hour12 = t.tm_hour % 12 == 0 ? 12 : t.tm_hour % 12;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%d/%d/%d %d:%02d:%02d %s", t.tm_mon + 1, t.tm_mday, t.tm_year + 1900,
                  hour12, t.tm_min, t.tm_sec, t.tm_hour < 12 ? "AM" : "PM");
    return buf;
}

std::string CurrentGeneralDateTime(const PrintState& p)
{
    if (p.LocalNow) return FormatGeneralDateTime(p.LocalNow());
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return FormatGeneralDateTime(local);
}

} // namespace mardex
