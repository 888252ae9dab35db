#include "cli/MassHaulOutput.h"

#include "cli/CliPrompter.h"

#ifdef MARDEX_WITH_PDF
#include "cli/HeadlessQt.h"
#include "qtsurface/MassHaulExport.h"
#endif

namespace mardex::cli {

#ifdef MARDEX_WITH_PDF

int WriteMassHaulOutput(const MassSheet& sheet, const HaulAnalysis& haul, const std::string& path)
{
    bool written = false;
    std::string error;
    {
        HeadlessQt qt;
        written = WriteMassHaulFile(sheet, haul, path, error);
    }
    if (!written) {
        CliPrompter::Print(error);
        return 1;
    }
    return 0;
}

#else

int WriteMassHaulOutput(const MassSheet&, const HaulAnalysis&, const std::string& path)
{
    CliPrompter::Print(path + ": this build of mardex-report cannot draw the mass-haul diagram (built without Qt)");
    return 1;
}

#endif

} // namespace mardex::cli
