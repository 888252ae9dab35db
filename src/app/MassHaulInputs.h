#pragma once
// What the Mass Haul window reads from its boxes and file dialog, checked
// here so that the window only shows the outcome.
#include <optional>
#include <string>

namespace mardex {

// A free-haul distance or overhaul price box: empty is "none"; anything else
// must read as a number of at least 0 ("100 ft" or "2,5" do not).
struct HaulBoxValue {
    std::optional<double> value;
    std::string refusal;  // empty when the text is accepted
};
HaulBoxValue ReadHaulBox(const std::string& text, const std::string& caption);

// The export file chosen in the dialog, with the extension of the chosen
// kind added when the name has none of its own ("road" + PDF -> "road.pdf").
std::string WithExportExtension(const std::string& path, const std::string& extension);

// The name the export proposes: the sheet's tab name with the extension.
std::string ProposedExportName(const std::string& tabName, const std::string& extension);

} // namespace mardex
