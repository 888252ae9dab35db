#include "formats/LandXmlGround.h"

#include "text/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace mardex::landxml {

namespace {

// "northing easting [elevation]" as a plan point.
std::optional<PlanPoint> PointOf(const pugi::xml_node& element)
{
    if (!element) return std::nullopt;
    std::vector<double> values;
    Numbers(element, element.child_value(), values);
    if (values.size() < 2 || values.size() > 3) Refuse(element, "a point needs a northing and an easting");
    return PlanPoint{values[1], values[0]};
}

std::uint64_t PointId(const pugi::xml_node& at, std::string_view text)
{
    std::uint64_t id = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), id);
    if (ec != std::errc() || end != text.data() + text.size()) Refuse(at, "the point id " + Quoted(text) + " is not a whole number");
    return id;
}

// Whether the way from a through b to c bends to the right.
bool TurnsRight(PlanPoint a, PlanPoint b, PlanPoint c)
{
    return (b.x - a.x) * (c.y - b.y) - (b.y - a.y) * (c.x - b.x) < 0;
}

// Whether the shorter arc from start to end around center runs clockwise.
bool ShorterArcClockwise(PlanPoint start, PlanPoint center, PlanPoint end)
{
    return (start.x - center.x) * (end.y - center.y) - (start.y - center.y) * (end.x - center.x) < 0;
}

double Radius(const pugi::xml_node& at, const char* attribute)
{
    const std::string text = Lower(Trim(at.attribute(attribute).value()));
    if (text.empty() || text == "inf" || text == "infinity") return INFINITY;
    return Number(at, text, "radius");
}

} // namespace

std::vector<NamedTin> TinSurfaces(const pugi::xml_node& root)
{
    std::vector<NamedTin> found;
    for (pugi::xml_node group = root.first_child(); group; group = group.next_sibling()) {
        if (!Is(group, "Surfaces")) continue;
        for (pugi::xml_node s = group.first_child(); s; s = s.next_sibling()) {
            const pugi::xml_node definition = Child(s, "Definition");
            if (Is(s, "Surface") && definition && Lower(definition.attribute("surfType").value()) == "tin")
                found.push_back({s.attribute("name").value(), definition});
        }
    }
    return found;
}

TinSurface ReadTin(pugi::xml_node definition)
{
    std::vector<TinPoint> points;
    std::vector<std::pair<std::uint64_t, std::uint32_t>> ids;
    std::vector<double> values;
    pugi::xml_node pnts = Child(definition, "Pnts");
    for (pugi::xml_node p = pnts.first_child(); p; p = p.next_sibling()) {
        if (!Is(p, "P")) continue;
        values.clear();
        Numbers(p, p.child_value(), values);
        if (values.size() != 3) Refuse(p, "a TIN point needs a northing, an easting and an elevation");
        ids.emplace_back(PointId(p, p.attribute("id").value()), static_cast<std::uint32_t>(points.size()));
        points.push_back({values[1], values[0], values[2]});
    }
    std::sort(ids.begin(), ids.end());
    // The tree's nodes of a read part go at once: a large TIN is then never
    // in memory twice.
    definition.remove_child(pnts);
    std::vector<std::uint32_t> corners;
    pugi::xml_node faces = Child(definition, "Faces");
    for (pugi::xml_node f = faces.first_child(); f; f = f.next_sibling()) {
        if (!Is(f, "F") || std::string_view(f.attribute("i").value()) == "1") continue;
        values.clear();
        Numbers(f, f.child_value(), values);
        if (values.size() != 3) Refuse(f, "a TIN face needs three point ids");
        for (const double v : values) {
            auto it = ids.end();
            if (v >= 0 && v == std::floor(v)) {
                const auto id = static_cast<std::uint64_t>(v);
                it = std::lower_bound(ids.begin(), ids.end(), std::make_pair(id, std::uint32_t{0}));
                if (it != ids.end() && it->first != id) it = ids.end();
            }
            if (it == ids.end()) Refuse(f, "the face names the point " + GeneralText(v) + " that the TIN does not have");
            corners.push_back(it->second);
        }
    }
    definition.remove_child(faces);
    ids = {};
    return TinSurface(std::move(points), corners);
}

std::optional<AlignmentGeometry> ReadCoordGeom(const pugi::xml_node& alignment, std::string& why)
{
    const pugi::xml_node geometry = Child(alignment, "CoordGeom");
    if (!geometry) {
        why = "the alignment has no plan geometry (CoordGeom)";
        return std::nullopt;
    }
    AlignmentGeometry plan;
    for (pugi::xml_node e = geometry.first_child(); e; e = e.next_sibling()) {
        if (e.type() != pugi::node_element) continue;
        const auto start = PointOf(Child(e, "Start"));
        const std::string rot = Lower(e.attribute("rot").value());
        if (Is(e, "Line")) {
            const auto end = PointOf(Child(e, "End"));
            if (start && end) {
                plan.AddLine(*start, *end);
                continue;
            }
        } else if (Is(e, "Curve")) {
            const auto center = PointOf(Child(e, "Center"));
            const auto end = PointOf(Child(e, "End"));
            if (start && center && end) {
                // Without "rot", the shorter of the two arcs.
                const bool clockwise = rot.empty() ? ShorterArcClockwise(*start, *center, *end) : rot == "cw";
                plan.AddCurve(*start, *center, *end, clockwise);
                continue;
            }
        } else if (Is(e, "Spiral")) {
            const auto pi = PointOf(Child(e, "PI"));
            const std::string type = Lower(e.attribute("spiType").value());
            if (!type.empty() && type != "clothoid") {
                why = "its spirals are of type " + Quoted(e.attribute("spiType").value()) + ", only clothoids are read";
                return std::nullopt;
            }
            const double length = Number(e, e.attribute("length").value(), "spiral length");
            if (start && pi && length > 0) {
                // Without "rot", the way its tangents turn at the PI.
                const auto end = PointOf(Child(e, "End"));
                const bool clockwise = rot.empty() ? end && TurnsRight(*start, *pi, *end) : rot == "cw";
                plan.AddSpiral(*start, *pi, length, Radius(e, "radiusStart"), Radius(e, "radiusEnd"), clockwise);
                continue;
            }
        } else {
            why = "its plan geometry has a " + std::string(LocalName(e.name())) + ", which is not read";
            return std::nullopt;
        }
        why = "its " + std::string(LocalName(e.name())) + " lacks a point";
        return std::nullopt;
    }
    if (plan.Empty()) {
        why = "the alignment's plan geometry (CoordGeom) is empty";
        return std::nullopt;
    }
    return plan;
}

} // namespace mardex::landxml
