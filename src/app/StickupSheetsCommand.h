#pragma once
// The main window's Stickup Sheets button (Command2): the combined report of
// all sheets, the design-file dialog, then the drawing.
#include "app/GenerateStickupSheets.h"

#include <functional>
#include <optional>
#include <string>

namespace mardex {

class Session;

// Shows bentleyTwo modally with the proposed target name in Text1; a
// successful OK sets s.stickup.DesignFilePath and TargetChosen.
using ShowDesignFileDialog = std::function<void(const std::string& proposedName)>;

// Leaves CurrentSheet at the sheet shown before the run; a completed run
// says how many sheets it drew and where.
// nullopt when nothing was drawn because the run stopped before the drawing
// (untitled document, no report, the dialog cancelled).
std::optional<StickupResult> Command2_Click(Session& s, DesignHost& host, const ShowDesignFileDialog& showDialog);

// bentleyTwo about to be shown for a run: loaded on first use, otherwise its
// file list read again (the design file of the last run is in it), and the
// proposed target name in the name box.
void PrepareDesignFileDialog(Session& s, const std::string& defaultSeed, const std::string& startFolder,
                       const std::string& proposedName);

inline const std::string NoActiveDataMessage =
    "There is no active data to create sheets with, you must first open a file."
    " Or if you have typed in some numbers Please save it to a file.";

} // namespace mardex
