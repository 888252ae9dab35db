// mardex-report --haul-table / --mass-haul: the haul analysis of a sheet's
// Total report, as a CSV table and as the mass-haul diagram.
#include "app/MassHaulSheet.h"
#include "app/Session.h"
#include "cli/Commands.h"
#include "cli/HaulPlanRun.h"
#include "cli/MassHaulOutput.h"
#include "cli/ToolSession.h"
#include "compute/HaulPlanTable.h"
#include "compute/HaulTable.h"
#include "formats/AtomicFile.h"

#include <iostream>

namespace mardex::cli {

namespace {

// The table and the diagram of sheet --sheet of an open sheet document.
int Analyse(Session& s, const ToolOptions& options, const std::string& document)
{
    if (options.sheet > s.doc.SheetCount) {
        CliPrompter::Print(document + ": has no sheet " + std::to_string(options.sheet) + " (it has " +
                           std::to_string(s.doc.SheetCount) + ")");
        return 1;
    }
    ClickTab(s, options.sheet);
    MassSheet sheet;
    // The computation's own message has gone to stderr.
    if (!ComputeMassSheet(s, sheet)) return 1;

    HaulOptions haulOptions;
    haulOptions.freeHaul = options.freeHaul;
    if (options.priceGiven && options.freeHaul > 0) haulOptions.price = options.overhaulPrice;
    HaulAnalysis haul = AnalyseHaul(sheet.rows, haulOptions);
    if (!options.haulPlan.empty() && !PlanSheetHaul(sheet, options, document, haul)) return 1;

    if (!options.massHaul.empty() && WriteMassHaulOutput(sheet, haul, AbsolutePath(options.massHaul)) != 0) return 1;
    auto writeTable = [](const std::string& path, const std::string& text, int lines) {
        const std::string csv = AbsolutePath(path);
        const auto written = WriteFileAtomically(csv, text);
        if (!written.ok) {
            CliPrompter::Print(written.error);
            return false;
        }
        std::cout << csv << ": " << lines << " rows\n";
        return true;
    };
    int lines = 0;
    if (!options.haulTable.empty()) {
        const std::string text = HaulTableText(haul, &lines);
        if (!writeTable(options.haulTable, text, lines)) return 1;
    }
    if (haul.plan) {
        const std::string text = HaulPlanText(*haul.plan, &lines);
        if (!writeTable(options.haulPlan, text, lines)) return 1;
        for (const std::string& limit : EconomicHaulLines(*haul.plan, sheet.metric)) std::cout << limit << "\n";
    }
    if (!options.massHaul.empty()) std::cout << AbsolutePath(options.massHaul) << ": mass-haul diagram\n";
    return 0;
}

} // namespace

int RunHaul(const ToolOptions& options)
{
    if (!options.haulPlan.empty() && (!options.freeHaulGiven || !options.priceGiven || !options.badHaulNumber.empty())) {
        CliPrompter::Print(PlanOptionsRefusal);
        return 1;
    }
    ToolSession tool;
    const std::string document = AbsolutePath(options.document);
    std::string why;
    if (!OutputsAreNotInputs(options, why) || !tool.Open(document, options, why)) {
        CliPrompter::Print(why);
        return 1;
    }
    if (!tool.s.doc.LogMode) return Analyse(tool.s, options, document);

    // Log branch: a GEOPAK log is analysed through the companion document its
    // Open wrote beside it (the log's end areas as a sheet document).
    ToolSession companion;
    const auto path = CompanionOfLog(tool.s, document, why);
    if (!path || !companion.Open(*path, why)) {
        CliPrompter::Print(document + ": no haul analysis: " + why);
        return 1;
    }
    return Analyse(companion.s, options, *path);
}

} // namespace mardex::cli
