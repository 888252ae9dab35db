#include "formats/LandXmlReader.h"

#include "formats/CrossSectionArea.h"
#include "text/NumberText.h"

#include <pugixml.hpp>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>
#include <sstream>

namespace mardex {

namespace {

constexpr std::size_t MaxRows = 1800;
constexpr std::size_t MaxSheetCount = 26;
constexpr std::size_t TabNameLength = 20;

// Thrown inside the reader only; the public functions turn it into a value.
struct Refusal {
    std::ptrdiff_t offset;  // in the file's bytes, -1 when unknown
    std::string what;
    bool surfacesUndecided = false;
};

std::string_view LocalName(const char* name)
{
    const std::string_view n(name);
    const auto colon = n.rfind(':');
    return colon == std::string_view::npos ? n : n.substr(colon + 1);
}

bool Is(const pugi::xml_node& node, std::string_view local)
{
    return node.type() == pugi::node_element && LocalName(node.name()) == local;
}

pugi::xml_node Child(const pugi::xml_node& parent, std::string_view local)
{
    for (pugi::xml_node c = parent.first_child(); c; c = c.next_sibling())
        if (Is(c, local)) return c;
    return {};
}

// Cell and header texts are single-byte: UTF-8 from the parser becomes
// Latin-1, any character beyond it "?".
std::string ToLatin1(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            out += static_cast<char>(c);
            ++i;
        } else if (c >= 0xC2 && c <= 0xC3 && i + 1 < utf8.size()) {
            out += static_cast<char>(((c & 0x1F) << 6) | (static_cast<unsigned char>(utf8[i + 1]) & 0x3F));
            i += 2;
        } else {
            out += '?';
            ++i;
            while (i < utf8.size() && (static_cast<unsigned char>(utf8[i]) & 0xC0) == 0x80) ++i;
        }
    }
    return out;
}

std::string Lower(std::string_view text)
{
    std::string out(text);
    for (char& ch : out)
        if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
    return out;
}

bool IsGroundName(const std::string& name)
{
    const std::string l = Lower(Trim(name));
    return l == "eg" || l == "og" || l.find("exist") != std::string::npos || l.find("ground") != std::string::npos;
}

std::string Quoted(std::string_view text) { return "\"" + std::string(text.substr(0, 60)) + "\""; }

struct Section {
    pugi::xml_node node;
    double sta = 0;
    CutFill areas;
};

struct Equation {
    double internal = 0, back = 0, ahead = 0;
};

class Reader {
public:
    Reader(std::string_view bytes, const SurfaceChooser& choose) : bytes_(bytes), choose_(choose) {}

    ImportedDocument Run(std::vector<std::string>& surfaceNames);

private:
    [[noreturn]] static void Refuse(const pugi::xml_node& at, std::string what)
    {
        throw Refusal{at ? at.offset_debug() : -1, std::move(what)};
    }
    static double Number(const pugi::xml_node& at, std::string_view text, const char* what);
    static bool HasAreas(const pugi::xml_node& section);
    std::vector<pugi::xml_node> SectionAlignments() const;
    void ChooseSurfaces(const std::vector<pugi::xml_node>& alignments, std::vector<std::string>& names);
    static std::vector<SectionPoint> Points(const pugi::xml_node& surface);
    CutFill SurfaceAreas(const Section& section) const;
    ImportedSheet ReadAlignment(const pugi::xml_node& alignment) const;

    std::string_view bytes_;
    const SurfaceChooser& choose_;
    SurfaceChoice choice_;
    pugi::xml_document doc_;
};

double Reader::Number(const pugi::xml_node& at, std::string_view text, const char* what)
{
    const auto value = ParseNumber(text);
    if (!value || !std::isfinite(*value)) Refuse(at, std::string("the ") + what + " " + Quoted(text) + " is not a number");
    return *value;
}

bool Reader::HasAreas(const pugi::xml_node& section)
{
    return section.attribute("areaCut") && section.attribute("areaFill");
}

std::vector<pugi::xml_node> Reader::SectionAlignments() const
{
    std::vector<pugi::xml_node> found;
    const pugi::xml_node root = doc_.document_element();
    for (pugi::xml_node group = root.first_child(); group; group = group.next_sibling()) {
        if (!Is(group, "Alignments")) continue;
        for (pugi::xml_node a = group.first_child(); a; a = a.next_sibling()) {
            if (!Is(a, "Alignment")) continue;
            const pugi::xml_node sects = Child(a, "CrossSects");
            if (sects && Child(sects, "CrossSect")) found.push_back(a);
        }
    }
    return found;
}

void Reader::ChooseSurfaces(const std::vector<pugi::xml_node>& alignments, std::vector<std::string>& names)
{
    bool needed = false;
    for (const pugi::xml_node& a : alignments)
        for (pugi::xml_node s = Child(a, "CrossSects").first_child(); s; s = s.next_sibling()) {
            if (!Is(s, "CrossSect") || HasAreas(s)) continue;
            needed = true;
            for (pugi::xml_node surf = s.first_child(); surf; surf = surf.next_sibling()) {
                if (!Is(surf, "CrossSectSurf") && !Is(surf, "DesignCrossSectSurf")) continue;
                const std::string name = surf.attribute("name").value();
                if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
            }
        }
    if (!needed) return;
    SurfaceChoice proposal;
    ChooseSurfacesByName(names, proposal);
    const std::optional<SurfaceChoice> chosen = choose_(names, proposal);
    if (!chosen && proposal.Complete())
        throw Refusal{-1, "no ground and design surfaces were chosen; nothing was read"};
    if (!chosen || !chosen->Complete()) {
        std::string list;
        for (const std::string& n : names) list += (list.empty() ? "" : ", ") + Quoted(n);
        throw Refusal{-1,
                      "the ground and design surfaces cannot be told apart (surfaces: " +
                          (list.empty() ? std::string("none") : list) + "); name them",
                      true};
    }
    if (chosen->ground == chosen->design)
        throw Refusal{-1, "the ground and the design surface must be two different surfaces"};
    choice_ = *chosen;
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// A coordinate: the common plain decimal read directly, anything else by
// the program's own number rules.
double Coordinate(const pugi::xml_node& at, std::string_view token)
{
    double value = 0;
    const auto [end, ec] = std::from_chars(token.data(), token.data() + token.size(), value);
    if (ec == std::errc() && end == token.data() + token.size() && std::isfinite(value)) return value;
    const auto parsed = ParseNumber(token);
    if (!parsed || !std::isfinite(*parsed))
        throw Refusal{at.offset_debug(), "the point value " + Quoted(token) + " is not a number"};
    return *parsed;
}

std::vector<SectionPoint> Reader::Points(const pugi::xml_node& surface)
{
    std::vector<double> values;
    auto take = [&](const pugi::xml_node& at, std::string_view text, bool onePoint) {
        const std::size_t before = values.size();
        std::size_t i = 0;
        while (i < text.size()) {
            while (i < text.size() && IsSpace(text[i])) ++i;
            std::size_t j = i;
            while (j < text.size() && !IsSpace(text[j])) ++j;
            if (j > i) values.push_back(Coordinate(at, text.substr(i, j - i)));
            i = j;
        }
        const std::size_t count = values.size() - before;
        if (onePoint ? count != 2 : count % 2 != 0)
            Refuse(at, "a point needs an offset and an elevation: " + Quoted(text));
    };
    for (pugi::xml_node c = surface.first_child(); c; c = c.next_sibling()) {
        if (Is(c, "PntList2D")) take(c, c.child_value(), false);
        else if (Is(c, "CrossSectPnt")) take(c, c.child_value(), true);
    }
    std::vector<SectionPoint> points(values.size() / 2);
    for (std::size_t k = 0; k < points.size(); ++k) {
        points[k] = {values[2 * k], values[2 * k + 1]};
        if (k > 0 && points[k].offset < points[k - 1].offset)
            Refuse(surface, "the offsets of surface " + Quoted(surface.attribute("name").value()) +
                                " go back from left to right");
    }
    return points;
}

CutFill Reader::SurfaceAreas(const Section& section) const
{
    pugi::xml_node ground, design;
    for (pugi::xml_node surf = section.node.first_child(); surf; surf = surf.next_sibling()) {
        if (!Is(surf, "CrossSectSurf") && !Is(surf, "DesignCrossSectSurf")) continue;
        const std::string_view name = surf.attribute("name").value();
        if (!ground && name == choice_.ground) ground = surf;
        else if (!design && name == choice_.design) design = surf;
    }
    auto missing = [&](const char* which, const std::string& name) {
        Refuse(section.node, "the cross section at " + Quoted(section.node.attribute("sta").value()) +
                                 " has neither areas nor the " + which + " surface " + Quoted(name));
    };
    if (!ground) missing("ground", choice_.ground);
    if (!design) missing("design", choice_.design);
    return AreasBetween(Points(ground), Points(design));
}

ImportedSheet Reader::ReadAlignment(const pugi::xml_node& alignment) const
{
    std::vector<Section> sections;
    for (pugi::xml_node s = Child(alignment, "CrossSects").first_child(); s; s = s.next_sibling()) {
        if (!Is(s, "CrossSect")) continue;
        Section section;
        section.node = s;
        const pugi::xml_attribute sta = s.attribute("sta");
        if (!sta) Refuse(s, "a cross section without a station (sta)");
        section.sta = Number(s, sta.value(), "station");
        if (HasAreas(s)) {
            section.areas.cut = Number(s, s.attribute("areaCut").value(), "cut area");
            section.areas.fill = Number(s, s.attribute("areaFill").value(), "fill area");
        } else {
            section.areas = SurfaceAreas(section);
        }
        sections.push_back(section);
    }

    std::vector<Equation> equations;
    for (pugi::xml_node e = alignment.first_child(); e; e = e.next_sibling()) {
        if (!Is(e, "StaEquation")) continue;
        Equation eq;
        eq.back = Number(e, e.attribute("staBack").value(), "back station");
        eq.ahead = Number(e, e.attribute("staAhead").value(), "ahead station");
        if (const pugi::xml_attribute internal = e.attribute("staInternal")) {
            eq.internal = Number(e, internal.value(), "internal station");
        } else {
            // Without it, the back station read in the numbering before it.
            eq.internal = eq.back;
            if (!equations.empty()) eq.internal = equations.back().internal + (eq.back - equations.back().ahead);
        }
        equations.push_back(eq);
    }
    std::stable_sort(equations.begin(), equations.end(),
                     [](const Equation& a, const Equation& b) { return a.internal < b.internal; });

    // The station as the designer reads it: in the numbering of the last
    // equation at or before the section.
    auto shown = [&](double sta) {
        double value = sta;
        for (const Equation& eq : equations)
            if (eq.internal <= sta) value = sta - eq.internal + eq.ahead;
        return value;
    };

    ImportedSheet sheet;
    sheet.tabName = ToLatin1(alignment.attribute("name").value()).substr(0, TabNameLength);
    auto add = [&](double station, const char* code, const CutFill& areas) {
        if (sheet.rows.size() == MaxRows)
            Refuse(alignment, "the alignment " + Quoted(alignment.attribute("name").value()) +
                                  " has more than 1800 rows");
        sheet.rows.push_back({FormatStation(station), code, FormatArea(areas.cut), "0.00",
                              FormatArea(areas.fill), "0.00"});
    };
    std::vector<bool> used(equations.size(), false);
    for (std::size_t j = 0; j < sections.size(); ++j) {
        const Section& here = sections[j];
        const char* code = "-";
        for (std::size_t k = 0; k < equations.size(); ++k) {
            const Equation& eq = equations[k];
            if (used[k]) continue;
            if (eq.internal == here.sta) {
                // The equation sits on this section: it is the ahead row.
                add(eq.back, "BK", here.areas);
                code = "AH";
                used[k] = true;
            } else if (j > 0 && eq.internal > sections[j - 1].sta && eq.internal < here.sta) {
                const Section& prev = sections[j - 1];
                const double t = (eq.internal - prev.sta) / (here.sta - prev.sta);
                const CutFill at{prev.areas.cut + (here.areas.cut - prev.areas.cut) * t,
                                 prev.areas.fill + (here.areas.fill - prev.areas.fill) * t};
                add(eq.back, "BK", at);
                add(eq.ahead, "AH", at);
                used[k] = true;
            }
        }
        add(shown(here.sta), code, here.areas);
    }
    return sheet;
}

ImportedDocument Reader::Run(std::vector<std::string>& surfaceNames)
{
    // The parser never expands entities beyond the five predefined ones and
    // reads no external file; a declaration is kept as a node only so that
    // it can be refused.
    const unsigned options = pugi::parse_default | pugi::parse_doctype;
    const pugi::xml_parse_result parsed = doc_.load_buffer(bytes_.data(), bytes_.size(), options);
    if (!parsed) throw Refusal{parsed.offset, std::string("not an XML file (") + parsed.description() + ")"};
    for (pugi::xml_node n = doc_.first_child(); n; n = n.next_sibling())
        if (n.type() == pugi::node_doctype)
            Refuse(n, "a document type declaration (DOCTYPE) is not accepted in a LandXML file");
    const pugi::xml_node root = doc_.document_element();
    if (!Is(root, "LandXML")) Refuse(root, "not a LandXML file (the first element is not LandXML)");

    ImportedDocument result;
    const pugi::xml_node units = Child(root, "Units");
    if (Child(units, "Metric")) result.unitSystem = 1;
    else if (Child(units, "Imperial")) result.unitSystem = 0;
    else Refuse(units ? units : root, "no Imperial or Metric units (Units)");
    result.projectName = ToLatin1(Child(root, "Project").attribute("name").value());

    const std::vector<pugi::xml_node> alignments = SectionAlignments();
    if (alignments.empty()) Refuse(root, "no cross sections (CrossSect) in any alignment");
    if (alignments.size() > MaxSheetCount)
        Refuse(alignments[MaxSheetCount], "more than 26 alignments with cross sections");
    ChooseSurfaces(alignments, surfaceNames);
    for (const pugi::xml_node& a : alignments) result.sheets.push_back(ReadAlignment(a));
    return result;
}

long LineOf(std::string_view bytes, std::ptrdiff_t offset)
{
    if (offset < 0) return 0;
    const auto end = bytes.begin() + std::min<std::size_t>(static_cast<std::size_t>(offset), bytes.size());
    return 1 + static_cast<long>(std::count(bytes.begin(), end, '\n'));
}

} // namespace

bool ChooseSurfacesByName(const std::vector<std::string>& names, SurfaceChoice& choice)
{
    if (names.size() != 2) return false;
    const bool first = IsGroundName(names[0]), second = IsGroundName(names[1]);
    if (first == second) return false;
    choice.ground = first ? names[0] : names[1];
    choice.design = first ? names[1] : names[0];
    return true;
}

LandXmlResult ReadLandXml(std::string_view bytes, const std::string& file, const SurfaceChoice& choice)
{
    return ReadLandXml(bytes, file, [&](const std::vector<std::string>&, const SurfaceChoice& proposal) {
        return std::optional<SurfaceChoice>(choice.ground.empty() && choice.design.empty() ? proposal : choice);
    });
}

LandXmlResult ReadLandXml(std::string_view bytes, const std::string& file, const SurfaceChooser& choose)
{
    LandXmlResult result;
    std::vector<std::string> names;
    try {
        Reader reader(bytes, choose);
        result.document = reader.Run(names);
    } catch (const Refusal& r) {
        result.fault = {file, LineOf(bytes, r.offset), r.what};
        if (r.surfacesUndecided) result.surfaceNames = std::move(names);
    } catch (const std::bad_alloc&) {
        result.fault = {file, 0, "the file is too large to read"};
    }
    return result;
}

LandXmlResult ReadLandXmlFile(const std::string& path, const SurfaceChooser& choose)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        LandXmlResult result;
        result.fault = {path, 0, "the file cannot be read"};
        return result;
    }
    std::string bytes;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    in.seekg(0, std::ios::beg);
    if (size > 0) {
        bytes.resize(static_cast<std::size_t>(size));
        in.read(bytes.data(), size);
        bytes.resize(static_cast<std::size_t>(in.gcount()));
    }
    return ReadLandXml(bytes, path, choose);
}

} // namespace mardex
