#pragma once
// LandXML 1.2 cross sections -> sheets: one sheet per alignment that has
// cross sections, one row per section (plus the back/ahead rows of station
// equations), areas given by the file or measured between two surfaces.
#include "formats/ImportedDocument.h"
#include "formats/SurfaceChoice.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mardex {

// Asked once, when some section takes its areas from surfaces: the surface
// names found (in order of first appearance) and the choice the naming rule
// proposes (empty when it cannot tell). nullopt: none chosen, file refused.
using SurfaceChooser = std::function<std::optional<SurfaceChoice>(const std::vector<std::string>& names,
                                                                  const SurfaceChoice& proposal)>;

struct LandXmlResult : ImportResult {
    // Set when the file was refused because its surfaces cannot be told
    // apart: the surface names found, in order of first appearance, for
    // the user to choose from.
    std::vector<std::string> surfaceNames;
};

// `file` names the file in messages. Document type declarations are
// refused, never expanded. `choice` names the surfaces; left empty, the
// naming rule decides.
LandXmlResult ReadLandXml(std::string_view bytes, const std::string& file, const SurfaceChoice& choice = {});
LandXmlResult ReadLandXml(std::string_view bytes, const std::string& file, const SurfaceChooser& choose);
LandXmlResult ReadLandXmlFile(const std::string& path, const SurfaceChooser& choose);

// The naming rule alone: of exactly two names, the one that is "EG", "OG" or
// contains "exist" or "ground" (any case), when exactly one is.
bool ChooseSurfacesByName(const std::vector<std::string>& names, SurfaceChoice& choice);

} // namespace mardex
