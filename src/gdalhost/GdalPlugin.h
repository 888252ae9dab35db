#pragma once
// The design host as a loadable module (mardex-gdal.so beside the
// executables): the window loads GDAL only when stick-up sheets are drawn.
// The module's one entry point gives its functions.
#include "render/DesignHost.h"

#include <string>

namespace mardex {

struct GdalPluginFunctions {
    DesignHost* (*createHost)();  // a new GdalDesignHost, the caller's to delete
    std::string (*seedFile)();    // GDAL's own seed_2d.dgn
};

inline constexpr const char* GdalPluginFile = "mardex-gdal.so";
inline constexpr const char* GdalPluginEntry = "MardexGdalPlugin";

} // namespace mardex

extern "C" const mardex::GdalPluginFunctions* MardexGdalPlugin();
