// mardex-report --haul-table / --mass-haul: the haul analysis of a sheet's
// Total report, as a CSV table and as the mass-haul diagram.
#include "app/MassHaulSheet.h"
#include "app/Session.h"
#include "cli/Commands.h"
#include "cli/MassHaulOutput.h"
#include "cli/ToolSession.h"
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
    if (options.priceGiven) haulOptions.price = options.overhaulPrice;
    const HaulAnalysis haul = AnalyseHaul(sheet.rows, haulOptions);

    if (!options.massHaul.empty() && WriteMassHaulOutput(sheet, haul, AbsolutePath(options.massHaul)) != 0) return 1;
    if (!options.haulTable.empty()) {
        const std::string csv = AbsolutePath(options.haulTable);
        int lines = 0;
        const auto written = WriteFileAtomically(csv, HaulTableText(haul, &lines));
        if (!written.ok) {
            CliPrompter::Print(written.error);
            return 1;
        }
        std::cout << csv << ": " << lines << " rows\n";
    }
    if (!options.massHaul.empty()) std::cout << AbsolutePath(options.massHaul) << ": mass-haul diagram\n";
    return 0;
}

} // namespace

int RunHaul(const ToolOptions& options)
{
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
