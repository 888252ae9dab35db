#include "formats/RowLayout.h"

#include "text/AreaText.h"
#include "text/NumberText.h"

namespace mardex {

std::string WrittenRowLine(const std::array<std::string_view, ColumnCount>& cells)
{
    std::string line;
    line.reserve(StationPlaces + PlacesAfterStation + 8);
    const auto append = [&line](std::string_view field, std::size_t places) {
        const bool padded = field.size() < places;
        if (!line.empty() && !padded && (field.empty() || field.front() != ' ')) line += ' ';
        if (padded) line.append(places - field.size(), ' ');
        line.append(field);
    };
    const auto trimmed = [&cells](int c) {
        std::string_view text = cells[static_cast<std::size_t>(c)];
        while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
        return text;
    };

    const std::string_view station = trimmed(ColStation);
    if (const auto value = ParseNumber(station)) append(FormatStation(*value), StationPlaces);
    else append(station, StationPlaces);
    append(trimmed(ColCode), FieldPlaces);
    for (int c = ColCut; c <= ColAddedFill; ++c) append(AreaFieldText(trimmed(c)), FieldPlaces);
    const auto first = line.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    const auto last = line.find_last_not_of(' ');
    return line.substr(first, last - first + 1);
}

} // namespace mardex
