#include "app/HaulPlanning.h"

namespace mardex {

HaulPlan PlanWithSitesFile(const std::vector<MassRow>& rows, const std::string& sitesPath, const HaulPlanOptions& options,
                           TransportSolver& solver)
{
    HaulSites sites;
    if (!sitesPath.empty()) {
        HaulSitesRead read = ReadHaulSitesFile(sitesPath);
        if (!read.ok()) {
            HaulPlan refused;
            refused.options = options;
            refused.refusal = "refused: " + read.error;
            return refused;
        }
        sites = std::move(read.sites);
    }
    return PlanHaul(rows, sites, options, solver);
}

} // namespace mardex
