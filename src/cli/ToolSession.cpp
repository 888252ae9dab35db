#include "cli/ToolSession.h"

#include "app/MainForm.h"
#include "cli/Commands.h"
#include "document/FileCommands.h"
#include "document/InputFile.h"
#include "report/LogReport.h"
#include "sheet/NumberText.h"

#include <filesystem>

namespace mardex::cli {

namespace fs = std::filesystem;

std::string AbsolutePath(const std::string& path)
{
    std::error_code ec;
    const fs::path p = fs::absolute(path, ec);
    return ec ? path : p.lexically_normal().string();
}

namespace {

bool SameFile(const std::string& a, const std::string& b)
{
    std::error_code ec;
    if (fs::equivalent(a, b, ec)) return true;
    return AbsolutePath(a) == AbsolutePath(b);
}

} // namespace

bool OutputsAreNotInputs(const ToolOptions& options, std::string& why)
{
    const std::pair<const char*, const std::string*> outputs[] = {
        {"--output", &options.output}, {"--pdf", &options.pdf}, {"--save-as", &options.saveAs}, {"--stickup", &options.stickup}};
    // A log's companion document is written by the run too.
    const std::string companion = LogCompanionFileName(AbsolutePath(options.document)).value_or("");
    const std::pair<const char*, const std::string*> inputs[] = {
        {"the document", &options.document}, {"the seed file", &options.seed}, {"the log's companion", &companion}};
    for (std::size_t i = 0; i < std::size(outputs); ++i) {
        const auto& [option, path] = outputs[i];
        if (path->empty()) continue;
        for (const auto& [what, input] : inputs) {
            if (input->empty() || !SameFile(*path, *input)) continue;
            why = AbsolutePath(*path) + ": " + option + " names " + what + " itself; it is not overwritten";
            return false;
        }
        for (std::size_t j = 0; j < i; ++j) {
            if (outputs[j].second->empty() || !SameFile(*path, *outputs[j].second)) continue;
            why = AbsolutePath(*path) + ": " + option + " and " + outputs[j].first + " name the same file";
            return false;
        }
    }
    return true;
}

ToolSession::ToolSession() : s(ask)
{
    s.ProgramFolder = ExecutableFolder();
    s.report.LogReportOnRequestOnly = true;
    Form_Load(s);
}

bool ToolSession::Open(const std::string& path, std::string& why)
{
    ask.files.clear();
    ask.files.push_back(path);
    const int result = OpenFileCommand(s);
    ask.files.clear();
    if (result == 0) return true;

    std::error_code ec;
    const std::string upper = ToUpper(path);
    if (!fs::exists(path, ec)) why = path + ": no such file";
    else if (!fs::is_regular_file(path, ec)) why = InputFileProblem(path, MaxDocumentBytes);
    else if (upper.find(".MDX") == std::string::npos && upper.find(".LOG") == std::string::npos)
        why = path + ": not a sheet document (.mdx) or GEOPAK log (.log)";
    else why = path + ": the document could not be read";
    return false;
}

} // namespace mardex::cli
