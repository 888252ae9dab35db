#pragma once
// Collects the rows of the mass curve while the sheet computation writes its
// Total report: the rows of each balance point, station row, forced
// balance, skip and station equation as the report prints them.
#include "compute/MassCurve.h"

#include <string>
#include <vector>

namespace mardex {

class Session;

class MassRowSink {
public:
    explicit MassRowSink(std::vector<MassRow>& rows) : rows_(rows) {}

    void SkipOpens() { skipOpens_ = true; }
    void SkipCloses() { skipCloses_ = true; }
    void BalancePoint(const std::string& text, double ordinate);
    void StationRow(double station, double ordinate, bool forcedBalance, double cutVolume, double adjustedFill);
    // An equation block follows the last station row.
    void Equation();

private:
    std::vector<MassRow>& rows_;
    bool skipOpens_ = false, skipCloses_ = false, ahead_ = false;
};

// The mass rows of the current sheet from its Total report, computed as the
// report computes them (report state left as it was). False, after the same
// message the report shows, when the computation faults.
bool ComputeMassSheet(Session& s, MassSheet& sheet);

} // namespace mardex
