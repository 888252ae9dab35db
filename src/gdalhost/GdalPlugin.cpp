#include "gdalhost/GdalPlugin.h"

#include "gdalhost/DgnFile.h"
#include "gdalhost/GdalDesignHost.h"

namespace {

mardex::DesignHost* CreateHost() { return new mardex::GdalDesignHost; }

const mardex::GdalPluginFunctions Functions{&CreateHost, &mardex::dgn::GdalSeedFile};

} // namespace

extern "C" const mardex::GdalPluginFunctions* MardexGdalPlugin() { return &Functions; }
