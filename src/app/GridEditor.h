#pragma once
// The keyboard-driven editor on the main window's grid. The grid has no cell
// editor of its own: every keystroke reaches these handlers, which change the
// cell text in s.form.grid and store the result in the current sheet at once.
#include <cstdint>
#include <string>

namespace mardex {

class Session;

// Key codes of the key-up handler (the platform's virtual key numbers).
enum GridKey : int {
    KeyBackspace = 8,
    KeyTab = 9,
    KeyEnter = 13,
    KeyLeft = 37,
    KeyUp = 38,
    KeyRight = 39,
    KeyDown = 40,
    KeyDelete = 46,
    KeyPageUp = 33,
    KeyPageDown = 34,
    KeyEnd = 35,
    KeyHome = 36,
};

// Shown when a row past the last slot of a sheet would be used.
inline const std::string RowLimitMessage =
    "A sheet holds at most 1800 rows: no further row can be added to this sheet.";

// Key filter: true when the key is accepted (a rejected key is set to 0).
bool IntOk(int16_t& key);

// Character keys (digits, "+", ".", code letters, Backspace, Enter).
void Grid1_KeyPress(Session& s, int16_t& key);

// Escape while typing in a cell: the cell shows and stores what it held
// before its first key, and the changed mark is as it was then.
void Grid1_Escape(Session& s);
// F2 or a double click: keys go on into the cell's text instead of replacing it.
void Grid1_BeginEdit(Session& s);
// PageUp, PageDown, Ctrl+Home, Ctrl+End (KeyHome, KeyEnd): move the current
// row by a screenful, or to the first data row or the entry row; nothing is committed.
void Grid1_PageKey(Session& s, int key);

// Validates, formats and stores one cell: true when accepted.
bool CommitCell(Session& s, int row, int col);
// True when the cell is refused (a station below the one above it).
// Spelled CheckwhetherItIsLastLine before.
bool CheckWhetherItIsLastLine(Session& s, int row, int col);
void FormatGridEntries(Session& s, int row, int col);
// Copies grid cell (row, col) into the current sheet. False when nothing
// could be stored (row outside the sheet's slots: a message says why).
// Known as StorageStructure.
bool StoreGridCell(Session& s, int row, int col);

void SetFocusToColumnOrRow(Session& s, int row, int col);
void ModifyRow(Session& s, int row);
void TopRowVisible(Session& s, int row);

// The grid control's own move of the current cell on an arrow key (it runs
// before the key-up handler): one cell, never into the header rows.
void GridControlKeyDown(Session& s, int key);
// Navigation and Delete after the control's own move.
void Grid1_KeyUp(Session& s, int key, int shift);

// Tab from the grid reaches this button, which turns it into a commit.
void Command1_GotFocus(Session& s);

// True when the station of store row n is lower than that of row n - 1
// (after the message).
bool CheckForAscendingOrder(Session& s, int n);

// The code combo over the Code column.
void Grid1_Click(Session& s);
void LoadComboBox(Session& s);
void Combo1_Click(Session& s);
void Combo1_LostFocus(Session& s);

} // namespace mardex
