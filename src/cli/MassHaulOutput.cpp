#include "cli/MassHaulOutput.h"

#include "cli/CliPrompter.h"

namespace mardex::cli {

int WriteMassHaulOutput(const MassSheet&, const HaulAnalysis&, const std::string& path)
{
    CliPrompter::Print(path + ": this build of mardex-report cannot draw the mass-haul diagram (built without Qt)");
    return 1;
}

} // namespace mardex::cli
