// mardex-report --stickup DESIGN.dgn [--seed SEED.dgn] DOCUMENT: the document
// opened as File > Open opens it, the combined report built as the Stickup
// Sheets button builds it, the seed copied onto DESIGN and the sheets drawn.
#include "cli/Commands.h"
#include "cli/ToolSession.h"
#include "formats/AtomicFile.h"
#include "app/CombinedReport.h"
#include "app/ReportFile.h"
#include "app/DesignFileDialogs.h"
#include "app/GenerateStickupSheets.h"

#include <iostream>

#ifdef MARDEX_WITH_GDAL
#include "gdalhost/GdalPluginLoader.h"

#include <memory>
#endif

namespace mardex::cli {

#ifdef MARDEX_WITH_GDAL
namespace {

// The drawing's boxes on stderr; without a border file the tool goes on
// without borders and says so.
class DrawingPrompter : public Prompter {
public:
    Answer Ask(const MessageBox& box) override
    {
        CliPrompter::Print(box.text);
        if (box.buttons == Buttons::YesNo) {
            CliPrompter::Print("no border file border2l.dgn found: drawing the sheets without borders");
            return Answer::Yes;
        }
        return box.buttons == Buttons::OK ? Answer::OK : Answer::Cancel;
    }
    std::string Input(const std::string& prompt, const std::string&, const std::string&) override
    {
        CliPrompter::Print(prompt);
        return {};
    }
    std::optional<std::string> ChooseFile(const FileDialogRequest&) override { return std::nullopt; }
};

} // namespace

int RunStickup(const ToolOptions& options)
{
    ToolSession tool;
    Session& s = tool.s;
    const std::string in = AbsolutePath(options.document);
    std::string why;
    if (!OutputsAreNotInputs(options, why) || !tool.Open(in, options, why)) {
        CliPrompter::Print(why);
        return 1;
    }
    const ReportTarget target{options.output.empty() ? std::string() : AbsolutePath(options.output)};

    s.report.AccumulatedMode = ReportMode::Total;
    s.report.ReportLineCount = 0;
    if (!BuildCombinedReport(s, SheetFault::FailRun, target)) return 1;
    std::string error;
    const auto reportPath = ReportPathOf(s, target, error);
    if (!reportPath) {
        CliPrompter::Print(error);
        return 1;
    }

    // GDAL comes with the design-file module, loaded for this command only.
    const GdalPluginFunctions* gdal = LoadGdalPlugin(ExecutableFolder(), error);
    if (!gdal) {
        CliPrompter::Print(error);
        return 1;
    }
    const std::string design = AbsolutePath(options.stickup);
    const std::string seed =
        options.seed.empty() ? DefaultSeedFile(s.SettingsFileFolder(), gdal->seedFile()) : AbsolutePath(options.seed);
    // The seed is copied and drawn into beside the design file, which is
    // replaced only by a complete drawing.
    const std::string readOnly = ReasonNotWritable(design);
    TemporaryBeside work(design);
    if (!readOnly.empty() || !work.ok() || !CopySeedFile(seed, work.path(), error)) {
        CliPrompter::Print("Could not copy seed file " + seed + " onto " + design + ": " +
                           (!readOnly.empty() ? readOnly : !work.ok() ? work.error() : error));
        return 1;
    }

    DrawingPrompter drawingAsk;
    Session drawing(drawingAsk);
    drawing.form.Caption = s.form.Caption;
    drawing.ProgramFolder = s.ProgramFolder;
    const std::unique_ptr<DesignHost> host(gdal->createHost());
    const StickupResult result = GenerateStickupSheets(drawing, *host, work.path(), *reportPath);
    if (!result.completed) return 1;
    if (!work.Commit()) {
        CliPrompter::Print(work.error());
        return 1;
    }
    std::cout << design << ": " << result.sheets << " sheets\n";
    return 0;
}

#else

int RunStickup(const ToolOptions&)
{
    std::cerr << "mardex-report: this build has no design-file support (GDAL)\n";
    return 1;
}

#endif

} // namespace mardex::cli
