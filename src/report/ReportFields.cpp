#include "report/ReportFields.h"

#include "sheet/NumberText.h"

#include <stdexcept>

namespace mardex {

std::string StationText(double station) { return FormatStation(station); }
std::string StationText(std::string_view text) { return FormatStationText(text); }
std::string StationField(double station) { return RightAlign(FormatStation(station), 8); }
std::string StationField(std::string_view text) { return RightAlign(FormatStationText(text), 8); }
std::string NumberField(double value) { return RightAlign(FormatArea(value), 9); }
std::string NumberField(std::string_view text) { return RightAlign(FormatAreaText(text), 9); }
std::string SummaryField(double value) { return RightAlign(GeneralText(value), 9); }
std::string SummaryField(std::string_view text) { return RightAlign(text, 9); }

std::string JoinFields(std::initializer_list<std::string_view> fields, std::size_t blanks)
{
    std::string line;
    line.reserve(fields.size() * (9 + blanks));
    bool first = true;
    for (std::string_view f : fields) {
        if (!first) line.append(blanks, ' ');
        line.append(f);
        first = false;
    }
    return line;
}

std::string OnPrintZones(std::initializer_list<std::string_view> fields)
{
    constexpr std::size_t Zone = 14;
    std::string line;
    bool first = true;
    for (std::string_view f : fields) {
        if (!first) line.append((line.size() / Zone + 1) * Zone - line.size(), ' ');
        line.append(f);
        first = false;
    }
    return line;
}

const std::string& Rule(int which)
{
    static const std::string rules[5] = {
        "*+" + std::string(113, '*'),
        "*+" + std::string(112, '*'),
        "**+" + std::string(112, '*'),
        "*+" + std::string(10, '*') + " " + std::string(105, '*'),
        "*+" + std::string(8, '*') + " " + std::string(109, '*'),
    };
    if (which < 1 || which > 5) throw std::out_of_range("Subscript out of range");
    return rules[which - 1];
}

} // namespace mardex
