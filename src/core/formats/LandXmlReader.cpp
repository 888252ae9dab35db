#include "formats/LandXmlReader.h"

#include "formats/CrossSectionArea.h"
#include "formats/LandXmlGround.h"
#include "formats/LandXmlNodes.h"
#include "formats/SurfaceLine.h"
#include "text/DocumentName.h"
#include "text/NumberText.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <functional>
#include <map>
#include <memory>

namespace mardex {

using namespace landxml;

namespace {

constexpr std::size_t MaxRows = 1800;
constexpr std::size_t MaxSheetCount = 26;
constexpr std::size_t TabNameLength = 20;
// The file is parsed where it lies; its tree may take two and a half times
// the file more (with a floor for small files), so a file is read in about
// four times its size. A file of tiny elements would need far more and is
// refused before parsing.
constexpr std::size_t TreeHalvesPerFileByte = 5;
constexpr std::size_t TreeFloorBytes = 64u << 20;

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

bool IsGroundName(const std::string& name)
{
    const std::string l = Lower(Trim(name));
    return l == "eg" || l == "og" || l.find("exist") != std::string::npos || l.find("ground") != std::string::npos;
}

bool IsSurfaceLine(const pugi::xml_node& node)
{
    // Closed shapes (pavement layers, curbs) are materials, not lines.
    return (Is(node, "CrossSectSurf") || Is(node, "DesignCrossSectSurf")) &&
           Lower(node.attribute("closedArea").value()) != "true";
}

// The parsed tree's nodes: an upper bound counted before parsing (element
// starts are the "<" not followed by "/"). memchr skips the text between
// marks many bytes at a time.
std::size_t TreeBytes(std::string_view bytes)
{
    std::size_t elements = 0, attributes = 0;
    const char* const end = bytes.data() + bytes.size();
    for (const char* p = bytes.data(); (p = static_cast<const char*>(std::memchr(p, '<', end - p))); ++p)
        if (p + 1 < end && p[1] != '/') ++elements;
    for (const char* p = bytes.data(); (p = static_cast<const char*>(std::memchr(p, '=', end - p))); ++p) ++attributes;
    return elements * 64 + attributes * 40;
}

struct Section {
    pugi::xml_node node;
    double sta = 0;
    CutFill areas;
};

struct Equation {
    pugi::xml_node node;
    double internal = 0, back = 0, ahead = 0;
};

// A TIN read when the first section needs it.
struct Tin {
    pugi::xml_node definition;
    std::unique_ptr<TinSurface> surface;
};

class Reader {
public:
    Reader(const SurfaceListChooser& choose, std::vector<std::string>& skipped) : choose_(choose), skipped_(skipped) {}

    ImportedDocument Run(char* data, std::size_t size, bool inPlace, std::vector<std::string>& surfaceNames);

private:
    std::vector<pugi::xml_node> SectionAlignments() const;
    void ChooseSurfaces(const std::vector<pugi::xml_node>& alignments, std::vector<std::string>& names);
    static std::vector<SectionPoint> Points(const pugi::xml_node& surface);
    std::vector<SectionPoint> Line(const pugi::xml_node& section, const std::string& name, std::string& why) const;
    std::vector<SectionPoint> TinLine(const pugi::xml_node& alignment, const Section& section,
                                      const std::vector<SectionPoint>& design, std::string& why);
    bool SurfaceAreas(const pugi::xml_node& alignment, Section& section, bool cutGiven, bool fillGiven,
                      std::string& why);
    std::optional<ImportedSheet> ReadAlignment(const pugi::xml_node& alignment);
    std::vector<Equation> Equations(const pugi::xml_node& alignment) const;

    const SurfaceListChooser& choose_;
    std::vector<std::string>& skipped_;
    SurfaceChoice choice_;
    std::map<std::string, Tin> tins_;
    // The current alignment's plan geometry, read when a section needs it.
    std::optional<std::optional<AlignmentGeometry>> plan_;
    std::string planProblem_;
    pugi::xml_document doc_;
};

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

bool HasBothAreas(const pugi::xml_node& section)
{
    return section.attribute("areaCut") && section.attribute("areaFill");
}

void Reader::ChooseSurfaces(const std::vector<pugi::xml_node>& alignments, std::vector<std::string>& names)
{
    bool needed = false;
    SurfaceNames found;
    for (const pugi::xml_node& a : alignments)
        for (pugi::xml_node s = Child(a, "CrossSects").first_child(); s; s = s.next_sibling()) {
            if (!Is(s, "CrossSect") || HasBothAreas(s)) continue;
            needed = true;
            for (pugi::xml_node surf = s.first_child(); surf; surf = surf.next_sibling()) {
                if (!IsSurfaceLine(surf)) continue;
                const std::string name = surf.attribute("name").value();
                if (std::find(found.lines.begin(), found.lines.end(), name) == found.lines.end())
                    found.lines.push_back(name);
            }
        }
    if (!needed) return;
    for (NamedTin& tin : TinSurfaces(doc_.document_element())) {
        if (tins_.count(tin.name)) continue;
        found.tins.push_back(tin.name);
        tins_[tin.name].definition = tin.definition;
    }
    names = found.lines;
    names.insert(names.end(), found.tins.begin(), found.tins.end());
    SurfaceChoice proposal;
    ChooseSurfacesByName(found, proposal);
    const std::optional<SurfaceChoice> chosen = choose_(found, proposal);
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

std::vector<SectionPoint> Reader::Points(const pugi::xml_node& surface)
{
    std::vector<double> values;
    for (pugi::xml_node c = surface.first_child(); c; c = c.next_sibling()) {
        const bool list = Is(c, "PntList2D");
        if (!list && !Is(c, "CrossSectPnt")) continue;
        const std::size_t before = values.size();
        Numbers(c, c.child_value(), values);
        const std::size_t count = values.size() - before;
        if (list ? count % 2 != 0 : count != 2)
            Refuse(c, "a point needs an offset and an elevation: " + Quoted(c.child_value()));
    }
    std::vector<SectionPoint> points(values.size() / 2);
    for (std::size_t k = 0; k < points.size(); ++k) points[k] = {values[2 * k], values[2 * k + 1]};
    return points;
}

// Every piece of the named line in the section, joined; empty with `why`
// when there is none or the pieces do not make one line.
std::vector<SectionPoint> Reader::Line(const pugi::xml_node& section, const std::string& name, std::string& why) const
{
    std::vector<std::vector<SectionPoint>> pieces;
    for (pugi::xml_node surf = section.first_child(); surf; surf = surf.next_sibling())
        if (IsSurfaceLine(surf) && surf.attribute("name").value() == name) pieces.push_back(Points(surf));
    if (pieces.empty()) {
        why = "no surface " + Quoted(name);
        return {};
    }
    std::string problem;
    std::vector<SectionPoint> line = JoinSurfacePieces(std::move(pieces), problem);
    if (line.empty()) why = "the surface " + Quoted(name) + " has " + problem;
    return line;
}

std::vector<SectionPoint> Reader::TinLine(const pugi::xml_node& alignment, const Section& section,
                                          const std::vector<SectionPoint>& design, std::string& why)
{
    Tin& tin = tins_.at(choice_.ground);
    if (!tin.surface) tin.surface = std::make_unique<TinSurface>(ReadTin(tin.definition));
    if (!plan_) plan_ = ReadCoordGeom(alignment, planProblem_);
    if (!*plan_) {
        why = planProblem_;
        return {};
    }
    const pugi::xml_attribute start = alignment.attribute("staStart");
    const double distance = section.sta - (start ? Number(alignment, start.value(), "start station") : 0.0);
    const std::optional<AlignmentFrame> frame = (*plan_)->At(distance);
    if (!frame) {
        why = "the station lies beyond the alignment's plan geometry";
        return {};
    }
    const double left = design.front().offset, right = design.back().offset;
    auto line = tin.surface->Along(frame->Offset(left), frame->Offset(right), left, right);
    if (!line) {
        why = "the section reaches beyond the TIN " + Quoted(choice_.ground);
        return {};
    }
    return std::move(*line);
}

// The areas the section does not give, measured between its lines; false
// with `why` when neither area is given and the lines cannot be measured.
bool Reader::SurfaceAreas(const pugi::xml_node& alignment, Section& section, bool cutGiven, bool fillGiven,
                          std::string& why)
{
    std::vector<SectionPoint> design = Line(section.node, choice_.design, why), ground;
    if (!design.empty()) {
        ground = Line(section.node, choice_.ground, why);
        if (ground.empty() && tins_.count(choice_.ground)) ground = TinLine(alignment, section, design, why);
    }
    if (!design.empty() && !ground.empty()) {
        if (std::max(ground.front().offset, design.front().offset) >= std::min(ground.back().offset, design.back().offset)) {
            why = "the ground and design lines do not overlap";
        } else {
            const CutFill measured = AreasBetween(ground, design);
            if (!cutGiven) section.areas.cut = measured.cut;
            if (!fillGiven) section.areas.fill = measured.fill;
            return true;
        }
    }
    // One given area is enough; the other is then 0.
    return cutGiven || fillGiven;
}

std::vector<Equation> Reader::Equations(const pugi::xml_node& alignment) const
{
    std::vector<Equation> equations;
    for (pugi::xml_node e = alignment.first_child(); e; e = e.next_sibling()) {
        if (!Is(e, "StaEquation")) continue;
        Equation eq;
        eq.node = e;
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
    for (std::size_t k = 1; k < equations.size(); ++k)
        if (equations[k].internal == equations[k - 1].internal)
            Refuse(equations[k].node, "two station equations at the internal station " +
                                          FormatStation(equations[k].internal) + " of alignment " +
                                          Quoted(alignment.attribute("name").value()));
    return equations;
}

std::optional<ImportedSheet> Reader::ReadAlignment(const pugi::xml_node& alignment)
{
    const std::string name = alignment.attribute("name").value();
    plan_.reset();
    const std::vector<Equation> equations = Equations(alignment);
    std::vector<Section> sections;
    std::optional<double> lastStation;
    double written = 0;  // internal station minus the station as written
    for (pugi::xml_node s = Child(alignment, "CrossSects").first_child(); s; s = s.next_sibling()) {
        if (!Is(s, "CrossSect")) continue;
        Section section;
        section.node = s;
        const pugi::xml_attribute sta = s.attribute("sta");
        if (!sta) Refuse(s, "a cross section without a station (sta)");
        const double station = Number(s, sta.value(), "station");
        section.sta = station + written;
        if (lastStation && section.sta < *lastStation) {
            // Stations are internal ones, except in files that number the
            // sections past an equation whose ahead station is below its
            // back station as the designer reads them: the first equation
            // after the previous section explains such a step back.
            const auto eq = std::lower_bound(equations.begin(), equations.end(), *lastStation,
                                             [](const Equation& e, double at) { return e.internal < at; });
            if (eq == equations.end() || !(eq->ahead < eq->back) || station < eq->ahead ||
                eq->internal + (station - eq->ahead) < *lastStation)
                Refuse(s, "stations decrease in alignment " + Quoted(name) + ": " + FormatStation(*lastStation - written) +
                              " then " + FormatStation(station));
            written = eq->internal - eq->ahead;
            section.sta = station + written;
        }
        lastStation = section.sta;

        const pugi::xml_attribute cut = s.attribute("areaCut"), fill = s.attribute("areaFill");
        if (cut) section.areas.cut = Number(s, cut.value(), "cut area");
        if (fill) section.areas.fill = Number(s, fill.value(), "fill area");
        if (section.areas.cut < 0 || section.areas.fill < 0)
            Refuse(s, "a negative area at station " + FormatStation(section.sta) + " of alignment " + Quoted(name));
        std::string why;
        if (!(cut && fill) && !SurfaceAreas(alignment, section, static_cast<bool>(cut), static_cast<bool>(fill), why)) {
            skipped_.push_back("alignment " + Quoted(name) + ", station " + FormatStation(section.sta) + ": " + why);
            continue;
        }
        sections.push_back(section);
    }
    if (sections.empty()) return std::nullopt;

    ImportedSheet sheet;
    sheet.tabName = DocumentName(ToLatin1(name)).substr(0, TabNameLength);
    auto add = [&](double station, const char* code, const CutFill& areas) {
        if (sheet.rows.size() == MaxRows)
            Refuse(alignment, "the alignment " + Quoted(name) + " has more than 1800 rows");
        sheet.rows.push_back({FormatStation(station), code, FormatArea(areas.cut), "0.00",
                              FormatArea(areas.fill), "0.00"});
    };
    // Sections and equations both in station order, walked together: the
    // equations passed so far give the numbering the designer reads.
    std::size_t next = 0;
    const Equation* numbering = nullptr;
    for (std::size_t j = 0; j < sections.size(); ++j) {
        const Section& here = sections[j];
        const char* code = "-";
        for (; next < equations.size() && equations[next].internal <= here.sta; ++next) {
            const Equation& eq = equations[next];
            numbering = &eq;
            if (eq.internal == here.sta) {
                // The equation sits on this section: it is the ahead row.
                add(eq.back, "BK", here.areas);
                code = "AH";
            } else if (j > 0 && eq.internal > sections[j - 1].sta) {
                const Section& prev = sections[j - 1];
                const double t = (eq.internal - prev.sta) / (here.sta - prev.sta);
                const CutFill at{prev.areas.cut + (here.areas.cut - prev.areas.cut) * t,
                                 prev.areas.fill + (here.areas.fill - prev.areas.fill) * t};
                add(eq.back, "BK", at);
                add(eq.ahead, "AH", at);
            }
        }
        add(numbering ? here.sta - numbering->internal + numbering->ahead : here.sta, code, here.areas);
    }
    return sheet;
}

// A repeated tab name gets " (2)", " (3)" ... within the tab's length.
void MakeNamesDistinct(std::vector<ImportedSheet>& sheets)
{
    for (std::size_t k = 1; k < sheets.size(); ++k) {
        auto taken = [&](const std::string& name) {
            for (std::size_t j = 0; j < k; ++j)
                if (sheets[j].tabName == name) return true;
            return false;
        };
        const std::string base = sheets[k].tabName;
        for (int n = 2; taken(sheets[k].tabName); ++n) {
            const std::string suffix = " (" + std::to_string(n) + ")";
            sheets[k].tabName = base.substr(0, TabNameLength - suffix.size()) + suffix;
        }
    }
}

ImportedDocument Reader::Run(char* data, std::size_t size, bool inPlace, std::vector<std::string>& surfaceNames)
{
    if (size > MaxLandXmlBytes) throw Refusal{-1, "the file is larger than 256 MB"};
    const std::size_t treeBytes = TreeBytes({data, size});
    if (2 * treeBytes > std::max(TreeHalvesPerFileByte * size, 2 * TreeFloorBytes))
        throw Refusal{-1, "the file is made of so many small elements that reading it would take more than "
                          "3.5 times its size in memory"};
    // The parser never expands entities beyond the five predefined ones and
    // reads no external file; a declaration is kept as a node only so that
    // it can be refused. Element texts are kept in the elements themselves
    // (no node of their own), which halves the tree.
    const unsigned options = pugi::parse_default | pugi::parse_doctype | pugi::parse_embed_pcdata;
    const pugi::xml_parse_result parsed = inPlace ? doc_.load_buffer_inplace(data, size, options)
                                                  : doc_.load_buffer(data, size, options);
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
    result.projectName = DocumentName(ToLatin1(Child(root, "Project").attribute("name").value()));

    const std::vector<pugi::xml_node> alignments = SectionAlignments();
    if (alignments.empty()) Refuse(root, "no cross sections (CrossSect) in any alignment");
    ChooseSurfaces(alignments, surfaceNames);
    for (const pugi::xml_node& a : alignments) {
        std::optional<ImportedSheet> sheet = ReadAlignment(a);
        if (!sheet) continue;
        if (result.sheets.size() == MaxSheetCount) Refuse(a, "more than 26 alignments with cross sections");
        result.sheets.push_back(std::move(*sheet));
    }
    if (result.sheets.empty()) {
        std::string reasons;
        for (std::size_t k = 0; k < std::min<std::size_t>(3, skipped_.size()); ++k) reasons += "; " + skipped_[k];
        Refuse(root, "no usable cross section" + reasons);
    }
    MakeNamesDistinct(result.sheets);
    return result;
}

long LineOf(std::string_view bytes, std::ptrdiff_t offset)
{
    if (offset < 0) return 0;
    const auto end = bytes.begin() + std::min<std::size_t>(static_cast<std::size_t>(offset), bytes.size());
    return 1 + static_cast<long>(std::count(bytes.begin(), end, '\n'));
}

// Reads `data`, parsed in place when `inPlace` (the parser then changes
// it); `lineOf` gives the line of a byte offset in the file as it was.
LandXmlResult Read(char* data, std::size_t size, bool inPlace, const std::string& file, const SurfaceListChooser& choose,
                   const std::function<long(std::ptrdiff_t)>& lineOf)
{
    LandXmlResult result;
    std::vector<std::string> names;
    try {
        Reader reader(choose, result.skipped);
        result.document = reader.Run(data, size, inPlace, names);
    } catch (const Refusal& r) {
        result.fault = {file, lineOf(r.offset), r.what};
        if (r.surfacesUndecided) result.surfaceNames = std::move(names);
        result.skipped.clear();
    } catch (const std::bad_alloc&) {
        result.fault = {file, 0, "the file is too large to read"};
        result.skipped.clear();
    }
    return result;
}

} // namespace

bool ChooseSurfacesByName(const SurfaceNames& names, SurfaceChoice& choice)
{
    auto theOne = [](const std::vector<std::string>& list, bool groundLike) -> const std::string* {
        const std::string* found = nullptr;
        for (const std::string& n : list) {
            if (IsGroundName(n) != groundLike) continue;
            if (found) return nullptr;
            found = &n;
        }
        return found;
    };
    const bool lineGround = std::any_of(names.lines.begin(), names.lines.end(), IsGroundName);
    const std::string* ground = lineGround ? theOne(names.lines, true) : theOne(names.tins, true);
    const std::string* design = theOne(names.lines, false);
    if (!ground || !design) return false;
    choice.ground = *ground;
    choice.design = *design;
    return true;
}

bool ChooseSurfacesByName(const std::vector<std::string>& names, SurfaceChoice& choice)
{
    return ChooseSurfacesByName(SurfaceNames{names, {}}, choice);
}

LandXmlResult ReadLandXml(std::string_view bytes, const std::string& file, const SurfaceChoice& choice)
{
    return ReadLandXml(bytes, file, [&](const SurfaceNames&, const SurfaceChoice& proposal) {
        return std::optional<SurfaceChoice>(choice.ground.empty() && choice.design.empty() ? proposal : choice);
    });
}

LandXmlResult ReadLandXml(std::string_view bytes, const std::string& file, const SurfaceChooser& choose)
{
    return ReadLandXml(bytes, file, [&](const SurfaceNames& names, const SurfaceChoice& proposal) {
        std::vector<std::string> all = names.lines;
        all.insert(all.end(), names.tins.begin(), names.tins.end());
        return choose(all, proposal);
    });
}

LandXmlResult ReadLandXml(std::string_view bytes, const std::string& file, const SurfaceListChooser& choose)
{
    return Read(const_cast<char*>(bytes.data()), bytes.size(), false, file, choose,
                [&](std::ptrdiff_t offset) { return LineOf(bytes, offset); });
}

LandXmlResult ReadLandXmlFile(const std::string& path, const SurfaceListChooser& choose)
{
    LandXmlResult result;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        result.fault = {path, 0, "the file cannot be read"};
        return result;
    }
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    in.seekg(0, std::ios::beg);
    if (size > static_cast<std::streamoff>(MaxLandXmlBytes)) {
        result.fault = {path, 0, "the file is larger than 256 MB"};
        return result;
    }
    std::string bytes;
    if (size > 0) {
        bytes.resize(static_cast<std::size_t>(size));
        in.read(bytes.data(), size);
        bytes.resize(static_cast<std::size_t>(in.gcount()));
    }
    // Parsed in place, so the file is in memory once; a refusal's line is
    // counted in the file as it is on disk.
    return Read(bytes.data(), bytes.size(), true, path, choose, [&](std::ptrdiff_t offset) -> long {
        if (offset < 0) return 0;
        std::ifstream again(path, std::ios::binary);
        long line = 1;
        char c;
        for (std::ptrdiff_t k = 0; k < offset && again.get(c); ++k)
            if (c == '\n') ++line;
        return line;
    });
}

} // namespace mardex
