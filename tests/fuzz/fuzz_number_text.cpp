// libFuzzer target: station and number texts. Any text reads as a number or
// not, and the masks and general texts of what it reads read back as the
// same value; any double (NaN and infinities too) formats without a fault.
#include "app/GeopakLog.h"
#include "text/NumberText.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

void Check(bool condition)
{
    if (!condition) std::abort();
}

// A finite value within the range where the masks keep every digit that counts.
bool Plain(double v) { return std::isfinite(v) && std::fabs(v) < 1e12; }

void CheckValue(double v)
{
    using namespace mardex;
    const std::string station = FormatStation(v), area = FormatArea(v), general = GeneralText(v);
    nearest(v);
    if (!std::isfinite(v)) return;
    const auto generalBack = ParseNumber(general);
    Check(generalBack.has_value());
    if (!Plain(v)) return;
    Check(std::fabs(*generalBack - v) <= std::fabs(v) * 1e-14);
    Check(std::fabs(StationToNumber(station) - v) <= 0.0005 + std::fabs(v) * 1e-15);
    Check(std::fabs(ParseNumber(area).value_or(NAN) - v) <= 0.005 + std::fabs(v) * 1e-15);
    Check(FormatAreaText(area) == area);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace mardex;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto value = ParseNumber(text);
    Check(ReadsAsNumber(text) == value.has_value());
    if (value) {
        // The C library reads the same digits to the same double (overflow
        // to infinity, underflow to zero).
        const auto b = text.find_first_not_of(" \t"), e = text.find_last_not_of(" \t");
        const std::string digits(text.substr(b, e - b + 1));
        Check(*value == std::strtod(digits.c_str(), nullptr));
        CheckValue(*value);
    }
    FormatStationText(text);
    FormatAreaText(text);
    StationToNumber(text);
    LogStationToNumber(text);
    Trim(text);
    ToUpper(text);

    // The text's two halves as the two quantities of a log difference.
    const std::string_view a = text.substr(0, size / 2), b = text.substr(size / 2);
    if (const auto diff = DecimalDifference(a, b)) {
        const auto x = ParseNumber(a), y = ParseNumber(b);
        Check(x && y);
        if (Plain(*x) && Plain(*y) && a.size() < 16 && b.size() < 16) {
            const auto back = ParseNumber(*diff);
            Check(back && std::fabs(*back - (*x - *y)) <= 1e-6 * (1 + std::fabs(*x) + std::fabs(*y)));
        }
    }

    // The raw bytes as a double, for the values no text of a cell gives.
    if (size >= sizeof(double)) {
        double raw;
        std::memcpy(&raw, data, sizeof raw);
        CheckValue(raw);
    }
    return 0;
}
