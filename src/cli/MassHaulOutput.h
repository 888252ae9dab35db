#pragma once
// --mass-haul: the diagram drawn into a PDF, SVG or PNG file, without a display.
#include <string>

namespace mardex { struct HaulAnalysis; struct MassSheet; }

namespace mardex::cli {

// 0 when the file was written; 1 after a message on stderr.
int WriteMassHaulOutput(const MassSheet& sheet, const HaulAnalysis& haul, const std::string& path);

} // namespace mardex::cli
