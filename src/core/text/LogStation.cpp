#include "text/LogStation.h"

#include "text/NumberText.h"

#include <cmath>
#include <optional>

namespace mardex {

namespace {
bool IsDigits(std::string_view text)
{
    if (text.empty()) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}
} // namespace

double LogStationToNumber(std::string_view text)
{
    const std::string t = Trim(text);
    const auto plus = t.find('+');
    if (plus != std::string::npos) {
        const std::string after = t.substr(plus + 1);
        const std::string whole = after.substr(0, after.find('.'));
        if (whole.size() == 3 && IsDigits(whole)) {
            const std::string head = Trim(t.substr(0, plus));
            const auto km = head.empty() ? std::optional<double>(0.0) : ParseNumber(head);
            const auto metres = ParseNumber(after);
            if (km && metres) {
                const double value = std::fabs(*km) * 1000 + *metres;
                return !head.empty() && head[0] == '-' ? -value : value;
            }
        }
    }
    return StationToNumber(t);
}

} // namespace mardex
