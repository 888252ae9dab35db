#include "formats/LandXmlNodes.h"

#include "text/NumberText.h"

#include <charconv>
#include <cmath>

namespace mardex::landxml {

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// Far beyond any station, coordinate or area, and far enough from the
// largest double that areas and volumes computed from it stay finite.
constexpr double Largest = 1e9;

[[noreturn]] void OutOfRange(const pugi::xml_node& at, const std::string& what, std::string_view text)
{
    Refuse(at, what + " " + Quoted(text) + " is out of range (beyond 1e9)");
}

} // namespace

double Number(const pugi::xml_node& at, std::string_view text, const char* what)
{
    const auto value = ParseNumber(text);
    if (!value || !std::isfinite(*value)) Refuse(at, std::string("the ") + what + " " + Quoted(text) + " is not a number");
    if (std::abs(*value) > Largest) OutOfRange(at, std::string("the ") + what, text);
    return *value;
}

void Numbers(const pugi::xml_node& at, std::string_view text, std::vector<double>& values)
{
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && IsSpace(text[i])) ++i;
        std::size_t j = i;
        while (j < text.size() && !IsSpace(text[j])) ++j;
        if (j > i) {
            // The common plain decimal read directly, anything else by the
            // program's own number rules.
            const std::string_view token = text.substr(i, j - i);
            double value = 0;
            const auto [end, ec] = std::from_chars(token.data(), token.data() + token.size(), value);
            if (ec != std::errc() || end != token.data() + token.size() || !std::isfinite(value)) {
                const auto parsed = ParseNumber(token);
                if (!parsed || !std::isfinite(*parsed)) Refuse(at, "the point value " + Quoted(token) + " is not a number");
                value = *parsed;
            }
            if (std::abs(value) > Largest) OutOfRange(at, "the point value", token);
            values.push_back(value);
        }
        i = j;
    }
}

} // namespace mardex::landxml
