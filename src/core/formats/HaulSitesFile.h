#pragma once
// The borrow pits and waste sites of a haul plan, kept as CSV beside their
// document (NAME.sites.csv): a header "name,kind,station,access,capacity,unit_cost"
// then one line per site.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mardex {

struct HaulSite {
    std::string name;
    bool borrow = true;               // kind: borrow (a pit) or waste (a site)
    double station = 0;               // where its road joins the alignment
    double access = 0;                // length of that road, feet or metres
    std::optional<double> capacity;   // volume it gives or takes; none = unlimited
    double unitCost = 0;              // price of borrowed material, or fee for wasting
    long line = 0;                    // its line in the file (0 when not read from one)
};

struct HaulSites {
    std::string fileName;             // as messages name it
    std::vector<HaulSite> sites;
};

inline constexpr const char* HaulSitesHeader = "name,kind,station,access,capacity,unit_cost";

// The sites of a file's text; a refusal names the file, the line and the
// field ("c.sites.csv: line 3, field kind: unknown kind 'dump'") and gives
// no sites.
struct HaulSitesRead {
    HaulSites sites;
    std::string error;
    bool ok() const { return error.empty(); }
};
HaulSitesRead ParseHaulSites(std::string_view text, const std::string& fileName);
// The same from a file; a missing file is refused like a bad one.
HaulSitesRead ReadHaulSitesFile(const std::string& path);

// One site's fields checked as the file's are: empty when they are sound,
// otherwise "field kind: unknown kind 'dump'" (the window's table uses it).
std::string HaulSiteFieldError(const std::vector<std::string>& fields, HaulSite& site);

// The file's text (header and LF line ends), as the window saves it.
std::string HaulSitesText(const HaulSites& sites);

// The sites file kept beside a document: "road.mdx" -> "road.sites.csv".
std::string HaulSitesPathOf(const std::string& documentPath);

} // namespace mardex
