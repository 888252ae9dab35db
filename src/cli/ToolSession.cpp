#include "cli/ToolSession.h"

#include "app/MainForm.h"
#include "cli/Commands.h"
#include "app/FileCommands.h"
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
    if (result == 0) return true;

    std::error_code ec;
    const std::string upper = ToUpper(path);
    if (!fs::exists(path, ec)) why = path + ": no such file";
    else if (!fs::is_regular_file(path, ec)) why = path + ": not a file";
    else if (upper.find(".MDX") == std::string::npos && upper.find(".LOG") == std::string::npos)
        why = path + ": not a sheet document (.mdx) or GEOPAK log (.log)";
    else why = path + ": the document could not be read";
    return false;
}

} // namespace mardex::cli
