#pragma once
// What the stick-up sheet dialogs keep while the program runs.
#include <string>

namespace mardex {

struct StickupState {
    std::string DesignFilePath;
    std::string SeedFilePath;
};

} // namespace mardex
