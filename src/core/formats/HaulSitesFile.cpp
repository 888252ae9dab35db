#include "formats/HaulSitesFile.h"

#include "formats/CsvTable.h"
#include "formats/InputFile.h"
#include "text/NumberText.h"
#include "text/PathText.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace mardex {

namespace {

constexpr const char* FieldNames[] = {"name", "kind", "station", "access", "capacity", "unit_cost"};
constexpr std::size_t FieldCount = 6;

std::string Quoted(const std::string& text) { return "'" + text + "'"; }

// A number field: empty is allowed only where `optional`; never negative.
std::string NumberField(const std::string& text, const char* field, bool optional, std::optional<double>& value)
{
    value.reset();
    if (text.empty()) return optional ? "" : std::string("field ") + field + ": missing";
    const auto v = ParseNumber(text);
    if (!v) return std::string("field ") + field + ": not a number " + Quoted(text);
    if (*v < 0) return std::string("field ") + field + ": negative " + Quoted(text);
    value = *v;
    return "";
}

// "12+34.5", "1234.5": one "+" at most, the rest a number.
std::optional<double> StationValue(const std::string& text)
{
    std::string digits = text;
    const auto plus = digits.find('+', 1);
    if (plus != std::string::npos) digits.erase(plus, 1);
    if (!ReadsAsNumber(digits)) return std::nullopt;
    return StationToNumber(text);
}

bool SameHeader(const std::vector<std::string>& fields)
{
    if (fields.size() != FieldCount) return false;
    for (std::size_t i = 0; i < FieldCount; ++i)
        if (ToUpper(Trim(fields[i])) != ToUpper(FieldNames[i])) return false;
    return true;
}

} // namespace

std::string HaulSiteFieldError(const std::vector<std::string>& raw, HaulSite& site)
{
    std::vector<std::string> f;
    for (const std::string& r : raw) f.push_back(Trim(r));
    if (f.size() < FieldCount) return std::string("field ") + FieldNames[f.size()] + ": missing";
    if (f.size() > FieldCount) return std::to_string(f.size()) + " fields, expected " + std::to_string(FieldCount);
    site = HaulSite{};
    if (f[0].empty()) return "field name: missing";
    site.name = f[0];
    if (f[1] == "borrow") site.borrow = true;
    else if (f[1] == "waste") site.borrow = false;
    else return "field kind: unknown kind " + Quoted(f[1]);
    if (f[2].empty()) return "field station: missing";
    const auto station = StationValue(f[2]);
    if (!station) return "field station: not a station " + Quoted(f[2]);
    site.station = *station;
    std::optional<double> v;
    if (auto e = NumberField(f[3], "access", false, v); !e.empty()) return e;
    site.access = *v;
    if (auto e = NumberField(f[4], "capacity", true, site.capacity); !e.empty()) return e;
    if (auto e = NumberField(f[5], "unit_cost", false, v); !e.empty()) return e;
    site.unitCost = *v;
    return "";
}

HaulSitesRead ParseHaulSites(std::string_view text, const std::string& fileName)
{
    HaulSitesRead read;
    read.sites.fileName = fileName;
    auto refuse = [&](long line, const std::string& what) {
        read.sites.sites.clear();
        read.error = fileName + ": line " + std::to_string(line) + ", " + what;
        return read;
    };
    const CsvTable table = ParseCsv(text, ',');
    if (!table.error.empty()) return refuse(table.errorLine, table.error);
    if (table.records.empty() || table.records.front().line != 1 || !SameHeader(table.records.front().fields))
        return refuse(1, std::string("field header: expected ") + HaulSitesHeader);
    for (std::size_t i = 1; i < table.records.size(); ++i) {
        const CsvRecord& record = table.records[i];
        HaulSite site;
        if (auto e = HaulSiteFieldError(record.fields, site); !e.empty()) return refuse(record.line, e);
        site.line = record.line;
        const auto& known = read.sites.sites;
        if (std::any_of(known.begin(), known.end(), [&](const HaulSite& s) { return s.name == site.name; }))
            return refuse(record.line, "field name: duplicate name " + Quoted(site.name));
        read.sites.sites.push_back(std::move(site));
    }
    return read;
}

HaulSitesRead ReadHaulSitesFile(const std::string& path)
{
    const std::string name = StripFile(path);
    if (const std::string problem = InputFileProblem(path, MaxSettingsBytes); !problem.empty()) {
        HaulSitesRead read;
        read.sites.fileName = name;
        read.error = problem;
        return read;
    }
    std::ifstream in(path, std::ios::binary);
    const std::string text(std::istreambuf_iterator<char>(in), {});
    return ParseHaulSites(text, name);
}

std::string HaulSitesText(const HaulSites& sites)
{
    std::string out = HaulSitesHeader;
    out += '\n';
    for (const HaulSite& s : sites.sites) {
        out += CsvField(s.name) + ',' + (s.borrow ? "borrow" : "waste") + ',' + FormatStation(s.station) + ',' +
               GeneralText(s.access) + ',' + (s.capacity ? GeneralText(*s.capacity) : std::string()) + ',' +
               GeneralText(s.unitCost) + '\n';
    }
    return out;
}

std::string HaulSitesPathOf(const std::string& documentPath)
{
    const std::string folder = FolderOf(documentPath);
    std::string name = StripFile(documentPath);
    const auto dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) name.erase(dot);
    return folder + name + ".sites.csv";
}

} // namespace mardex
