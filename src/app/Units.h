#pragma once
// The units row of the grid (grid row 1).
namespace mardex {

class Session;

// Writes the labels of the current unit system (any value other than 1 gives English).
void UpDateUnits(Session& s);
// Blanks the row.
void ClearUnits(Session& s);

} // namespace mardex
