#pragma once
// The Sites table of the Mass Haul window: the borrow pits and waste sites of
// a document, kept in NAME.sites.csv beside it. Every change is written at
// once (through the atomic writer) and can be undone and redone.
#include "formats/HaulSitesFile.h"

#include <string>
#include <vector>

namespace mardex {

class HaulSitesTable {
public:
    // The sites file of a document ("" for an untitled one: kept in memory).
    // An unreadable file leaves the table empty with the reason in loadError.
    explicit HaulSitesTable(std::string sitesPath);

    const HaulSites& sites() const { return sites_; }
    const std::string& path() const { return path_; }
    const std::string& loadError() const { return loadError_; }

    // Each returns "" when done, otherwise why not (nothing changed):
    // "line 3, field kind: unknown kind 'dump'", "duplicate name 'PIT A'",
    // or the writer's failure.
    std::string Add(const std::vector<std::string>& fields);
    std::string Edit(std::size_t index, const std::vector<std::string>& fields);
    std::string Remove(std::size_t index);
    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }
    std::string Undo();
    std::string Redo();

    // The six fields of a site as the table shows them.
    static std::vector<std::string> Fields(const HaulSite& site);

private:
    std::string Change(HaulSites next);
    // The last state of `from` back, the present one onto `to` (Undo, Redo).
    std::string Step(std::vector<HaulSites>& from, std::vector<HaulSites>& to);
    std::string Write(const HaulSites& sites) const;

    std::string path_, loadError_;
    HaulSites sites_;
    std::vector<HaulSites> undo_, redo_;
};

} // namespace mardex
