#pragma once
// LandXML 1.2 cross sections -> sheets: one sheet per alignment that has
// usable cross sections, one row per section (plus the back/ahead rows of
// station equations), areas given by the file or measured between a ground
// and a design line. A section without a ground line takes it from a TIN
// surface along the alignment's plan geometry. Sections that lack what they
// need are left out with a warning; the file is refused only when nothing
// usable remains.
#include "formats/ImportedDocument.h"
#include "formats/SurfaceChoice.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mardex {

// Asked once, when some section takes an area from surfaces: the surfaces
// found and the choice the naming rule proposes (empty when it cannot
// tell). nullopt: none chosen, file refused.
using SurfaceListChooser =
    std::function<std::optional<SurfaceChoice>(const SurfaceNames& names, const SurfaceChoice& proposal)>;
// The same with the names in one list: section lines, then TINs.
using SurfaceChooser = std::function<std::optional<SurfaceChoice>(const std::vector<std::string>& names,
                                                                  const SurfaceChoice& proposal)>;

// Files above this size are refused before they are read.
constexpr std::size_t MaxLandXmlBytes = 256u << 20;

struct LandXmlResult : ImportResult {
    // Set when the file was refused because its surfaces cannot be told
    // apart: the surface names found (lines, then TINs), for the user to
    // choose from.
    std::vector<std::string> surfaceNames;
    // One line per section left out: its alignment, station and why.
    std::vector<std::string> skipped;
};

// `file` names the file in messages. Document type declarations are
// refused, never expanded. `choice` names the surfaces; left empty, the
// naming rule decides.
LandXmlResult ReadLandXml(std::string_view bytes, const std::string& file, const SurfaceChoice& choice = {});
LandXmlResult ReadLandXml(std::string_view bytes, const std::string& file, const SurfaceChooser& choose);
LandXmlResult ReadLandXml(std::string_view bytes, const std::string& file, const SurfaceListChooser& choose);
LandXmlResult ReadLandXmlFile(const std::string& path, const SurfaceListChooser& choose);

// The naming rule alone: of exactly two names, the one that is "EG", "OG" or
// contains "exist" or "ground" (any case), when exactly one is.
bool ChooseSurfacesByName(const std::vector<std::string>& names, SurfaceChoice& choice);
// With TINs: the one ground-like section line, or failing that the one
// ground-like TIN, as the ground; the one other section line as the design.
bool ChooseSurfacesByName(const SurfaceNames& names, SurfaceChoice& choice);

} // namespace mardex
