#pragma once
// The mass-haul diagram on a landscape page into PDF, SVG or PNG files: what
// the window's Export and the tool's --mass-haul write.
#include <string>

namespace mardex {

struct HaulAnalysis;
struct MassSheet;

// The format follows the file's extension (.pdf, .svg, .png, any case).
// False with `error` (naming the file) when it cannot be written.
bool WriteMassHaulFile(const MassSheet& sheet, const HaulAnalysis& haul, const std::string& path, std::string& error);

} // namespace mardex
