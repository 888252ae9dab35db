#include "cli/ToolSession.h"

#include "app/MainForm.h"
#include "cli/Commands.h"
#include "document/FileCommands.h"
#include "document/ForeignDocument.h"
#include "formats/SheetCsv.h"
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

ToolSession::ToolSession() : s(ask)
{
    s.ProgramFolder = ExecutableFolder();
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
    else if (!fs::is_regular_file(path, ec)) why = path + ": not a file";
    else if (upper.find(".MDX") == std::string::npos && upper.find(".LOG") == std::string::npos &&
             !IsForeignDocumentName(path))
        why = path + ": not a sheet document (.mdx), GEOPAK log (.log), LandXML (.xml) or CSV (.csv) file";
    else why = path + ": the document could not be read";
    return false;
}

bool ToolSession::Open(const std::string& path, const ToolOptions& options, std::string& why)
{
    ask.surfaces = {options.ground, options.design};
    if (!Open(path, why)) return false;
    // A CSV sheet carries no units: English unless the command line says metric.
    if (options.metric && IsCsvName(path)) s.doc.UnitSystem = 1;
    return true;
}

} // namespace mardex::cli
