#pragma once
// One surface of a cross section from the pieces a design program writes
// it in (left and right of the centreline, in either direction).
#include "formats/CrossSectionArea.h"

#include <string>
#include <vector>

namespace mardex {

// The pieces joined into one line of offsets that never decrease. A piece
// may run either way; a point two pieces share is kept once. Empty, with
// `problem` saying why, when the pieces cannot make one line: a piece that
// goes back and forth, two pieces with different elevations at one offset
// (a vertical face), or fewer than two points. A vertical step inside one
// piece is the line's own and stays.
std::vector<SectionPoint> JoinSurfacePieces(std::vector<std::vector<SectionPoint>> pieces, std::string& problem);

} // namespace mardex
