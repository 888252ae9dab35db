#pragma once
// The mass curve of one sheet: the mass ordinate of every row of its Total
// report plotted against the distance along the alignment.
#include <string>
#include <vector>

namespace mardex {

// One row of a Total report as the mass curve needs it: a station row or a
// balance-point row, in report order.
struct MassRow {
    bool balancePoint = false;
    double station = 0;          // the station the row prints, as a number
    std::string stationText;     // the station as printed ("09+60.000")
    double ordinate = 0;         // the MASS ORDINATE printed (0 after a forced balance)
    // The rows around a station equation block: the one before it (BK) and
    // the one after it (AH); one row can be both, between two equations.
    bool equationBack = false;
    bool equationAhead = false;  // the distance does not grow into this row
    // A forced balance on this row: the curve first reaches the ordinate
    // before the reset, previous ordinate + TOTAL CUT-VOL - ADJUSTED FILL-VOL.
    bool forcedBalance = false;
    double cutVolume = 0;        // TOTAL CUT-VOL
    double adjustedFill = 0;     // ADJUSTED FILL-VOL
    bool skipOpens = false;      // a skip area starts at this row
    bool skipCloses = false;     // and ends at this one
};

// The sheet behind a diagram: its rows and what the title block shows.
struct MassSheet {
    std::string tabName, designer, projectNo, controlNo;
    bool metric = false;
    std::vector<MassRow> rows;
};

// A point of the curve. A forced balance gives two points at one distance:
// the ordinate before the reset, then the printed one.
struct MassPoint {
    double x = 0;                // distance from the first row
    double y = 0;                // mass ordinate
    double station = 0;
    std::string stationText;
    int row = 0;                 // index into MassSheet::rows
    bool beforeReset = false;    // the top of a forced-balance drop
};

std::vector<MassPoint> BuildMassCurve(const std::vector<MassRow>& rows);

// Station (number) at distance x on segment [i - 1, i] of the curve: the
// station grows with the distance inside a segment that has any width.
double StationOnSegment(const std::vector<MassPoint>& curve, std::size_t i, double x);

} // namespace mardex
