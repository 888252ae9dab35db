#include "cli/ToolSession.h"

#include "app/MainForm.h"
#include "app/UserFiles.h"
#include "cli/Commands.h"
#include "app/FileCommands.h"
#include "app/ForeignDocument.h"
#include "formats/AtomicFile.h"
#include "formats/InputFile.h"
#include "formats/SheetCsv.h"
#include "app/LogReport.h"
#include "text/NumberText.h"

#include <filesystem>

namespace mardex::cli {

namespace fs = std::filesystem;

std::string AbsolutePath(const std::string& path)
{
    std::error_code ec;
    const fs::path p = fs::absolute(path, ec);
    return ec ? path : p.lexically_normal().string();
}

bool OutputsAreNotInputs(const ToolOptions& options, std::string& why)
{
    const std::pair<const char*, const std::string*> outputs[] = {
        {"--output", &options.output}, {"--pdf", &options.pdf}, {"--save-as", &options.saveAs}, {"--stickup", &options.stickup},
        {"--export-csv", &options.exportCsv}, {"--report-csv", &options.reportCsv},
        {"--haul-table", &options.haulTable}, {"--mass-haul", &options.massHaul}, {"--haul-plan", &options.haulPlan}};
    // A log's companion document is written by the run too.
    const std::string companion = LogCompanionFileName(AbsolutePath(options.document)).value_or("");
    const std::pair<const char*, const std::string*> inputs[] = {
        {"the document", &options.document}, {"the seed file", &options.seed}, {"the log's companion", &companion},
        {"the sites file", &options.sites}};
    for (std::size_t i = 0; i < std::size(outputs); ++i) {
        const auto& [option, path] = outputs[i];
        if (path->empty()) continue;
        for (const auto& [what, input] : inputs) {
            if (input->empty() || !NamesSameFile(*path, *input)) continue;
            why = AbsolutePath(*path) + ": " + option + " names " + what + " itself; it is not overwritten";
            return false;
        }
        for (std::size_t j = 0; j < i; ++j) {
            if (outputs[j].second->empty() || !NamesSameFile(*path, *outputs[j].second)) continue;
            why = AbsolutePath(*path) + ": " + option + " and " + outputs[j].first + " name the same file";
            return false;
        }
    }
    return true;
}

ToolSession::ToolSession() : s(ask)
{
    s.ProgramFolder = ShippedFilesFolder(ExecutableFolder());
    // The user's settings when the window has created them; the tool itself
    // leaves the home folder alone.
    s.SettingsFolder = ExistingUserSettings();
    s.report.LogReportOnRequestOnly = true;
    Form_Load(s);
}

bool ToolSession::Open(const std::string& path, std::string& why)
{
    ask.files.clear();
    ask.files.push_back(path);
    const int result = OpenFileCommand(s);
    ask.files.clear();
    if (result == 0) {
        // A file of another program opens untitled; the tool names its
        // reports after it.
        if (IsForeignDocumentName(path)) s.doc.CurrentFileName = path;
        return true;
    }

    std::error_code ec;
    const std::string upper = ToUpper(path);
    if (!fs::exists(path, ec)) why = path + ": no such file";
    else if (!fs::is_regular_file(path, ec)) why = InputFileProblem(path, MaxDocumentBytes);
    else if (upper.find(".MDX") == std::string::npos && upper.find(".LOG") == std::string::npos &&
             !IsForeignDocumentName(path))
        why = path + ": not a sheet document (.mdx), GEOPAK log (.log), LandXML (.xml) or CSV (.csv) file";
    else why = path + ": the document could not be read";
    return false;
}

bool ToolSession::Open(const std::string& path, const ToolOptions& options, std::string& why)
{
    ask.surfaces = {options.ground, options.design};
    ask.replaceCompanion = options.replaceCompanion;
    if (!Open(path, why)) return false;
    // A CSV sheet carries no units: English unless the command line says metric.
    if (options.metric && IsCsvName(path)) s.doc.UnitSystem = 1;
    return true;
}

bool ToolSession::OpenSheetDocument(const std::string& in, const ToolOptions& options)
{
    std::string why;
    if (!OutputsAreNotInputs(options, why) || !Open(in, options, why)) {
        CliPrompter::Print(why);
        return false;
    }
    if (s.doc.LogMode) {
        CliPrompter::Print(in + ": a GEOPAK log, not a sheet document");
        return false;
    }
    return true;
}

bool ToolSession::OpenSheetOfDocument(const std::string& in, const ToolOptions& options)
{
    if (!OpenSheetDocument(in, options)) return false;
    if (options.sheet <= s.doc.SheetCount) return true;
    CliPrompter::Print(in + ": has no sheet " + std::to_string(options.sheet) + " (it has " +
                       std::to_string(s.doc.SheetCount) + ")");
    return false;
}

} // namespace mardex::cli
