#pragma once
// What the stick-up sheet dialogs keep while the program runs.
#include "app/DesignFileDialogs.h"

#include <string>

namespace mardex {

struct StickupState {
    std::string DesignFilePath;
    std::string SeedFilePath;
    // Set by a successful OK of bentleyTwo during the current showing.
    bool TargetChosen = false;
    // The chosen target did not exist before the seed was copied onto it:
    // a drawing that fails removes the copy again.
    bool DesignFileIsNew = false;
    // The dialogs are hidden, never closed: folder, pattern and seed label
    // stay for the next run while the program runs.
    DesignFileDialogModel designFileDialog;  // bentleyTwo
    SeedFileDialogModel seedFileDialog;  // CopyOfBentleyDlg
};

} // namespace mardex
