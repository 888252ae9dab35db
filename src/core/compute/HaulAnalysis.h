#pragma once
// The haul analysis of a mass curve: loops between zero points, their haul,
// free haul and overhaul, and the waste and borrow of forced balances and of
// the end.
#include "compute/HaulPlan.h"
#include "compute/MassCurve.h"

#include <optional>
#include <string>
#include <vector>

namespace mardex {

struct HaulOptions {
    double freeHaul = 0;               // free-haul distance; 0 = none given
    std::optional<double> price;       // price per unit of overhaul moment
    bool FreeHaulGiven() const { return freeHaul > 0; }
};

enum class HaulKind { Loop, Open, Waste, Borrow, Total };

// A place on the alignment: distance and the station as the report prints it.
struct HaulPlace {
    double x = 0;
    std::string station;
};

// One line of the analysis, in the order of the alignment.
struct HaulLine {
    HaulKind kind = HaulKind::Loop;
    HaulPlace from, to;
    int direction = 0;                 // +1 ahead, -1 back, 0 for waste, borrow, total
    double volume = 0;                 // largest |ordinate|, or the waste/borrow volume
    double moment = 0;                 // haul moment, volume x stations
    double averageHaul = 0;            // distance units
    // Free haul (loops, when a free-haul distance is given).
    bool freeHaul = false;
    HaulPlace freeFrom, freeTo;
    double overhaulVolume = 0, overhaulMoment = 0, overhaulCost = 0;
    // The stretch of the curve a loop or the open end covers, zero points
    // included at its ends (empty for the other kinds).
    std::vector<MassPoint> points;
};

struct HaulAnalysis {
    HaulOptions options;
    std::vector<MassPoint> curve;
    std::vector<HaulPlace> zeroPoints;  // where the curve meets zero (balance points)
    std::vector<HaulLine> lines;        // loops, waste, borrow, open end
    HaulLine total;
    // The cheapest haul plan, when one was asked for: the diagram draws it.
    std::optional<HaulPlan> plan;
};

HaulAnalysis AnalyseHaul(const std::vector<MassRow>& rows, const HaulOptions& options);

} // namespace mardex
