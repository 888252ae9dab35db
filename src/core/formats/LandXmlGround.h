#pragma once
// The parts of a LandXML file that give a ground line where a section has
// none: TIN surfaces and the alignment's plan geometry (CoordGeom).
#include "formats/AlignmentGeometry.h"
#include "formats/LandXmlNodes.h"
#include "formats/TinSurface.h"

#include <optional>
#include <string>
#include <vector>

namespace mardex::landxml {

struct NamedTin {
    std::string name;
    pugi::xml_node definition;
};

// The file's TIN surfaces (Surfaces/Surface/Definition surfType="TIN"), in order.
std::vector<NamedTin> TinSurfaces(const pugi::xml_node& root);

// The triangles of a TIN definition; faces marked invisible (i="1") are
// holes and stay out. Refused when a face names a point the TIN lacks.
// Its points and faces are taken out of the parsed tree as they are read.
TinSurface ReadTin(pugi::xml_node definition);

// The alignment's CoordGeom; nullopt, with `why`, when it has none or an
// element this reader does not follow.
std::optional<AlignmentGeometry> ReadCoordGeom(const pugi::xml_node& alignment, std::string& why);

} // namespace mardex::landxml
