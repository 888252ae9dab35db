#include "cli/HaulPlanRun.h"

#include "cli/CliPrompter.h"
#include "cli/ToolSession.h"
#include "compute/HaulAnalysis.h"

#ifdef MARDEX_WITH_CLP
#include "app/HaulPlanning.h"
#include "clpsolver/ClpTransportSolver.h"
#include "formats/HaulSitesFile.h"

#include <filesystem>
#endif

namespace mardex::cli {

#ifdef MARDEX_WITH_CLP

bool PlanSheetHaul(const MassSheet& sheet, const ToolOptions& options, const std::string& document, HaulAnalysis& haul)
{
    std::string sites = options.sites.empty() ? std::string() : AbsolutePath(options.sites);
    if (sites.empty()) {
        const std::string beside = HaulSitesPathOf(document);
        std::error_code ec;
        if (std::filesystem::exists(beside, ec)) sites = beside;
    }
    ClpTransportSolver solver;
    HaulPlan plan = PlanWithSitesFile(sheet.rows, sites, {options.freeHaul, options.overhaulPrice}, solver);
    if (!plan.ok()) {
        CliPrompter::Print(plan.refusal);
        return false;
    }
    haul.plan = std::move(plan);
    return true;
}

#else

bool PlanSheetHaul(const MassSheet&, const ToolOptions& options, const std::string&, HaulAnalysis&)
{
    CliPrompter::Print(AbsolutePath(options.haulPlan) + ": this build of mardex-report cannot plan the haul (built without CLP)");
    return false;
}

#endif

} // namespace mardex::cli
