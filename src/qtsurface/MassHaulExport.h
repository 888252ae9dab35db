#pragma once
// The mass-haul diagram on a landscape page into PDF, SVG or PNG files: what
// the window's Export and the tool's --mass-haul write.
#include <string>

namespace mardex {

struct HaulAnalysis;
struct MassSheet;

// The format follows the file's extension (.pdf, .svg, .png, any case).
// False with `error` (naming the file) when it cannot be written; the file is
// then left as it was. failAfterBytes: see WriteFileAtomically.
bool WriteMassHaulFile(const MassSheet& sheet, const HaulAnalysis& haul, const std::string& path, std::string& error,
                       long long failAfterBytes = -1);
// The same in the format named ("pdf", "svg" or "png") whatever the name ends with.
bool WriteMassHaulFileAs(const MassSheet& sheet, const HaulAnalysis& haul, const std::string& path,
                         const std::string& extension, std::string& error, long long failAfterBytes = -1);

} // namespace mardex
