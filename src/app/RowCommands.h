#pragma once
// Edit > Row > Insert and Delete on the current sheet.
#include <cstdint>
#include <string>

namespace mardex {

class Session;

inline const std::string FullSheetInsertMessage =
    "This sheet already holds 1800 rows, the most a sheet can hold: no row can be inserted.";

// mode 0 inserts an empty row above the current grid row, 1 deletes it.
void InsertOrDeleteRow(Session& s, int16_t& mode);
void mnuRowInsert_Click(Session& s);
void mnuRowDelete_Click(Session& s);

} // namespace mardex
