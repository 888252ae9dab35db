#pragma once
// What the stick-up sheet dialogs keep while the program runs.
#include "app/DesignFileDialogs.h"

#include <optional>
#include <string>

namespace mardex {

struct StickupState {
    std::string DesignFilePath;
    std::string SeedFilePath;
    // Set by a successful OK of bentleyTwo during the current showing.
    bool TargetChosen = false;
    // Set when OK copied the seed onto the target: what the copy replaced
    // (nullopt: the target was new), so that a drawing that does not
    // complete leaves the target as it was before.
    bool SeedCopied = false;
    std::optional<std::string> ReplacedDesignFile;
    // The dialogs are hidden, never closed: folder, pattern and seed label
    // stay for the next run while the program runs.
    DesignFileDialogModel designFileDialog;  // bentleyTwo
    SeedFileDialogModel seedFileDialog;  // CopyOfBentleyDlg
};

} // namespace mardex
