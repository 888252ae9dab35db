#pragma once
// The mass-haul diagram of one sheet, laid out on a report surface (the
// preview, the printer, PDF, SVG and PNG all draw through it): the title
// block, the axes, the mass curve with its balance points, the free-haul
// lines, the shaded overhaul, forced-balance drops, hatched skip areas, the
// waste and borrow volumes and a small table of the totals.
#include "compute/HaulAnalysis.h"

namespace mardex {

class ReportSurface;

// Draws onto the whole printable area of the surface (meant for a
// landscape page) without starting or ending a document.
void DrawMassHaulDiagram(ReportSurface& surface, const MassSheet& sheet, const HaulAnalysis& haul);

// A round step (1, 2 or 5 times a power of ten) near span / wanted.
double RoundTickStep(double span, int wanted);

} // namespace mardex
