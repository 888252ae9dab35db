#pragma once
// What the LandXML reader's parts share: element lookup by local name (any
// namespace prefix), numbers that must be finite, and the refusal they throw.
#include <pugixml.hpp>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace mardex::landxml {

// Thrown inside the reader only; ReadLandXml turns it into a value.
struct Refusal {
    std::ptrdiff_t offset;  // in the file's bytes, -1 when unknown
    std::string what;
    bool surfacesUndecided = false;
};

[[noreturn]] inline void Refuse(const pugi::xml_node& at, std::string what)
{
    throw Refusal{at ? at.offset_debug() : -1, std::move(what)};
}

inline std::string_view LocalName(const char* name)
{
    const std::string_view n(name);
    const auto colon = n.rfind(':');
    return colon == std::string_view::npos ? n : n.substr(colon + 1);
}

inline bool Is(const pugi::xml_node& node, std::string_view local)
{
    return node.type() == pugi::node_element && LocalName(node.name()) == local;
}

inline pugi::xml_node Child(const pugi::xml_node& parent, std::string_view local)
{
    for (pugi::xml_node c = parent.first_child(); c; c = c.next_sibling())
        if (Is(c, local)) return c;
    return {};
}

// Names and keywords compared without regard to ASCII case.
inline std::string Lower(std::string_view text)
{
    std::string out(text);
    for (char& ch : out)
        if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
    return out;
}

inline std::string Quoted(std::string_view text) { return "\"" + std::string(text.substr(0, 60)) + "\""; }

// A finite number, refused at `at` otherwise ("the station "x" is not a number").
double Number(const pugi::xml_node& at, std::string_view text, const char* what);

// The blank-separated finite numbers of an element's text, appended to `values`.
void Numbers(const pugi::xml_node& at, std::string_view text, std::vector<double>& values);

} // namespace mardex::landxml
