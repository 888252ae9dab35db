#pragma once
// A sheet document as a value: what a reader returns and a writer takes.
#include "model/SheetStore.h"
#include "model/UnitSystem.h"

#include <array>
#include <string>
#include <vector>

namespace mardex {

struct Document {
    std::array<std::string, 3> descriptionFields;  // designer, project no., control no.
    UnitSystem units = UnitSystem::English;
    bool legacyLayout = false;  // read from a "[VERSION 97.1]" document
    // Tab i + 1 shows sheets[i]: its name, factor, embankment flag and rows.
    std::vector<Sheet> sheets;
};

// The caption of tab index + 1: the sheet's name, or "Mardex <index + 1>" for
// a sheet without one.
std::string TabCaption(const Sheet& sheet, int index);

} // namespace mardex
