#pragma once
// The haul plan over the mass-haul diagram: each move a band between its two
// places in lanes along the foot of the plot (borrow and waste dashed), the
// sites marked on the station axis, and a line of the plan's cost beside the
// classic overhaul cost and the limits of economic haul.
#include "compute/HaulAnalysis.h"

namespace mardex {

class ReportSurface;

// The plot's frame in character cells, and the distance its right edge shows.
struct PlotFrame {
    double left = 0, right = 0, top = 0, bottom = 0;
    double xMax = 1;
    double X(double x) const { return left + x / xMax * (right - left); }
};

void DrawHaulPlan(ReportSurface& surface, const HaulAnalysis& haul, const PlotFrame& frame, bool metric);

// The caption line: "Haul plan: least cost ...    Classic overhaul cost ...    LEH ...".
std::string HaulPlanCaption(const HaulPlan& plan, const HaulAnalysis& classic, bool metric);

} // namespace mardex
