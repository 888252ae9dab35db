// mardex-report --export-csv OUT.csv [--sheet N] DOCUMENT: sheet N of the
// document read as File > Open reads it, written as Export > Sheet as CSV
// writes it, OUT replaced without a question.
#include "cli/Commands.h"
#include "cli/ToolSession.h"
#include "app/ForeignDocument.h"

namespace mardex::cli {

int RunExportCsv(const ToolOptions& options)
{
    ToolSession tool;
    const std::string in = AbsolutePath(options.document);
    if (!tool.OpenSheetOfDocument(in, options)) return 1;
    tool.s.doc.CurrentSheet = static_cast<int16_t>(options.sheet - 1);
    std::string error;
    if (!WriteSheetCsv(tool.s, AbsolutePath(options.exportCsv), error)) {
        CliPrompter::Print(error);
        return 1;
    }
    return 0;
}

} // namespace mardex::cli
