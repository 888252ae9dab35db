#pragma once
// Finds and loads the design-file module (mardex-gdal.so) at the first
// stick-up drawing: beside the executable in a build tree, in the program's
// private module folder once installed (lib/<triplet>/mardex or lib/mardex).
// The window and the tool's companion load GDAL only this way.
#include "gdalhost/GdalPlugin.h"

#include <string>
#include <vector>

namespace mardex {

// Where the module is looked for, in order, for an executable in exeFolder.
std::vector<std::string> GdalPluginCandidates(const std::string& exeFolder);

// The module's functions, loaded once and kept (GDAL is not made to
// unload); nullptr with the reason in `error` (the paths tried and dlerror).
const GdalPluginFunctions* LoadGdalPlugin(const std::string& exeFolder, std::string& error);

} // namespace mardex
