#include "text/PathText.h"

#include "text/NumberText.h"

namespace mardex {

std::string StripFile(const std::string& path)
{
    const auto slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::optional<std::string> LogBaseName(const std::string& path)
{
    const auto slash = path.find_last_of("/\\");
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const auto dot = ToUpper(name).find(".LOG");
    if (dot == std::string::npos) return std::nullopt;
    return name.substr(0, dot);
}

std::string FolderOf(const std::string& path)
{
    const auto slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

} // namespace mardex
