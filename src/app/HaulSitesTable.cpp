#include "app/HaulSitesTable.h"

#include "formats/AtomicFile.h"
#include "text/NumberText.h"
#include "text/PathText.h"

#include <algorithm>
#include <filesystem>

namespace mardex {

HaulSitesTable::HaulSitesTable(std::string sitesPath) : path_(std::move(sitesPath))
{
    // A plan's refusal names the file, or the table of an untitled document.
    sites_.fileName = path_.empty() ? "Sites table" : StripFile(path_);
    std::error_code ec;
    if (path_.empty() || !std::filesystem::exists(path_, ec)) return;
    HaulSitesRead read = ReadHaulSitesFile(path_);
    if (read.ok()) sites_ = std::move(read.sites);
    else loadError_ = read.error;
}

std::vector<std::string> HaulSitesTable::Fields(const HaulSite& s)
{
    return {s.name, s.borrow ? "borrow" : "waste", FormatStation(s.station), GeneralText(s.access),
            s.capacity ? GeneralText(*s.capacity) : std::string(), GeneralText(s.unitCost)};
}

std::string HaulSitesTable::Write(const HaulSites& sites) const
{
    if (path_.empty()) return "";
    const auto written = WriteFileAtomically(path_, HaulSitesText(sites));
    return written.ok ? "" : written.error;
}

std::string HaulSitesTable::Change(HaulSites next)
{
    // Lines as the file will hold them, so that a plan's message names them.
    for (std::size_t i = 0; i < next.sites.size(); ++i) next.sites[i].line = static_cast<long>(i) + 2;
    if (auto error = Write(next); !error.empty()) return error;
    undo_.push_back(std::move(sites_));
    redo_.clear();
    sites_ = std::move(next);
    return "";
}

std::string HaulSitesTable::Add(const std::vector<std::string>& fields) { return Edit(sites_.sites.size(), fields); }

std::string HaulSitesTable::Edit(std::size_t index, const std::vector<std::string>& fields)
{
    HaulSite site;
    const long line = static_cast<long>(index) + 2;
    if (auto error = HaulSiteFieldError(fields, site); !error.empty()) return "line " + std::to_string(line) + ", " + error;
    for (std::size_t i = 0; i < sites_.sites.size(); ++i)
        if (i != index && sites_.sites[i].name == site.name)
            return "line " + std::to_string(line) + ", field name: duplicate name '" + site.name + "'";
    HaulSites next = sites_;
    if (index < next.sites.size()) next.sites[index] = site;
    else next.sites.push_back(site);
    return Change(std::move(next));
}

std::string HaulSitesTable::Remove(std::size_t index)
{
    if (index >= sites_.sites.size()) return "";
    HaulSites next = sites_;
    next.sites.erase(next.sites.begin() + static_cast<std::ptrdiff_t>(index));
    return Change(std::move(next));
}

std::string HaulSitesTable::Step(std::vector<HaulSites>& from, std::vector<HaulSites>& to)
{
    if (from.empty()) return "";
    if (auto error = Write(from.back()); !error.empty()) return error;
    to.push_back(std::move(sites_));
    sites_ = std::move(from.back());
    from.pop_back();
    return "";
}

std::string HaulSitesTable::Undo() { return Step(undo_, redo_); }

std::string HaulSitesTable::Redo() { return Step(redo_, undo_); }

} // namespace mardex
