// mardex-report --save-as OUT.mdx IN.mdx: IN read as File > Open reads it,
// written to OUT by Save's writer, OUT replaced without a question.
#include "cli/Commands.h"
#include "cli/ToolSession.h"
#include "app/DocumentWriter.h"

namespace mardex::cli {

int RunSaveAs(const ToolOptions& options)
{
    ToolSession tool;
    const std::string in = AbsolutePath(options.document);
    if (!tool.OpenSheetDocument(in, options)) return 1;
    const std::string out = AbsolutePath(options.saveAs);
    std::string error;
    if (!Write2002VersionFile(tool.s, out, error)) {
        CliPrompter::Print(error);
        return 1;
    }
    return 0;
}

} // namespace mardex::cli
