#pragma once
// Showing a sheet, rebuilding the tabs and the resets of the main window.
#include <optional>
#include <string>

#include "formats/SettingsFile.h"

namespace mardex {

class Session;

// Start-up of the window's state (everything but the window position):
// grid header, an empty sheet 0 with factor 1.00, one sheet, the untitled
// caption and the settings file of the program's folder.
void Form_Load(Session& s);
// Lays out the header row of the grid.
void ResizeGrid(Session& s);

void ResetMemory(Session& s);
void ResetMainForm(Session& s);
void ResetAttribs(Session& s);
void ResetallAttributes(Session& s);
void ClearTabStrip(Session& s);
void UpDateGroupTab(Session& s);
void FillMainForm(Session& s);

// "MARDEX :" + name (the caption of a document shown as it is).
void ShowDocumentCaption(Session& s);
// The window shows sheet documents again (after a log): the grid, and an
// Import command that imports sheet documents.
void ShowSheetDocumentMode(Session& s);

} // namespace mardex
