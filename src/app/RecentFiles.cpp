#include "app/RecentFiles.h"

#include <algorithm>

namespace mardex {

std::vector<std::string> WithRecentFile(std::vector<std::string> list, const std::string& path)
{
    list = WithoutRecentFile(std::move(list), path);
    list.insert(list.begin(), path);
    if (list.size() > RecentFilesKept) list.resize(RecentFilesKept);
    return list;
}

std::vector<std::string> WithoutRecentFile(std::vector<std::string> list, const std::string& path)
{
    list.erase(std::remove(list.begin(), list.end(), path), list.end());
    return list;
}

} // namespace mardex
