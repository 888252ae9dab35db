#pragma once
// Draws the tables of a combined report file as stick-up sheets into a
// design file: two tables per sheet, each sheet inside its own border.
#include "render/DesignHost.h"

#include <string>

namespace mardex {

class Session;

// What the tool needs to judge a run; the window ignores it.
struct StickupResult {
    bool completed = false;   // drawn and saved
    int sheets = 0;           // physical sheets begun
    bool withBorders = false;
};

// Messages go through s.ask; titles use the window caption where the
// program's own questions do.
StickupResult GenerateStickupSheets(Session& s, DesignHost& host, const std::string& designPath,
                                    const std::string& reportPath);

// The header block of one table at (x, y); y moves below it.
void WriteSheetTableHeader(DesignHost& host, TextElement& element, double x, double& y,
                           const std::string& tabName);

// The layout's fixed numbers, shared with the tests.
namespace stickup {
inline constexpr double FirstColumnX = 2585;
inline constexpr double TableTopY = 6925;
inline constexpr double NextSheetStep = 2415;   // right table of one sheet -> left table of the next
inline constexpr double RightTableStep = 1585;  // left table -> right table
inline constexpr double SheetPitch = 4000;
inline constexpr double MasterX = 900, MasterY = 4900;
inline constexpr double RowPitch = 30;
inline constexpr double SectionGap = 25;
inline constexpr double LowestRowY = 4910;      // no text below this
inline constexpr int RowsPerTable = 54;
inline constexpr int LastRowForNewSection = 45; // a section starting later moves on
inline const std::string BorderFileName = "border2l.dgn";
inline const std::string BorderDescription = "Stickup Sheet Border Attached by Program";
} // namespace stickup

} // namespace mardex
