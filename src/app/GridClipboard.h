#pragma once
// Copy, cut and paste of blocks of grid cells as tab-separated text, the
// form spreadsheets exchange. A paste goes through the commit rules of
// typing; a paste that cannot be taken whole changes nothing.
#include <string>
#include <string_view>

namespace mardex {

class Session;

// The block of grid rows top..bottom (data rows only) and columns
// left..right as lines of tab-separated cell texts, each line ended by CR LF.
std::string CopyCells(const Session& s, int top, int left, int bottom, int right);

// Pastes at the current cell. True when pasted; otherwise the message has
// been shown and the sheet and grid are as they were.
bool PasteCells(Session& s, std::string_view text);

// Copies the block and empties its cells (as Delete does each), unless
// emptying it breaks the station order: then nothing changes and the
// result is empty.
std::string CutCells(Session& s, int top, int left, int bottom, int right);

} // namespace mardex
